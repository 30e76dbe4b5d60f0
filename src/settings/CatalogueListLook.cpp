#include "settings/CatalogueListLook.h"

#include "controls/SortableList.h"

#include <QColor>

void CatalogueListLook::apply(SortableList *list)
{
    const QColor background(135, 215, 215);
    list->setRowHeights(17);
    list->setGridLines(true);
    list->setFullRowSelect(true);
    list->setMovableColumns(true);
    list->setColours(background, background, Qt::black);
}
