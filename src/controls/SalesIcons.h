#pragma once

#include <QIcon>

// The sales window's own pictures, drawn rather than shipped: the window icon
// (a receipt) and the calculator.
class SalesIcons
{
public:
    static QIcon window();
    static QIcon calculator();
};
