#pragma once

class SortableList;

// The look shared by the catalogue lists (products, customers, payment
// methods): 17-pixel rows, grid lines, whole rows selected, movable columns,
// black text on RGB(135,215,215).
class CatalogueListLook
{
public:
    static void apply(SortableList *list);
};
