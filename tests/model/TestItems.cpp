#include "TestItems.h"

const SnapItemAttrDesc TestItem::kTable[] = {
    {0, kAttrName, "Name", "名字"},
    {2, kAttrX, "x", "x坐标"},
    {3, kAttrY, "y", "y坐标"},
    {6, kAttrColour, "Colour", "颜色"},
    {7, kAttrCurrentFrame, "Current", "当前帧"},
    {9, kAttrPath, "Path", "路径"},
    {10, kAttrYesNo, "Visible", "是否可见"},
    {12, kAttrTextAlign, "Text Align", "对齐"},
    {13, kAttrArgbOutput, "ARGB Output", "ARGB"},
    {14, kAttrReadOnly, "Frames", "帧数"},
    {15, kAttrMode, "Mode", "模式"},
};
const int TestItem::kTableCount = static_cast<int>(sizeof kTable / sizeof kTable[0]);
