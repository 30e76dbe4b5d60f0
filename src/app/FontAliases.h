#pragma once

// The receipt and the windows name Windows font faces (黑体, 华文中宋, 宋体, ...).
// They are mapped onto the CJK faces installed here.
class FontAliases
{
public:
    static void install();
};
