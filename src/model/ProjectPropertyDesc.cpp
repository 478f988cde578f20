#include "model/ProjectPropertyDesc.h"

namespace {

const ProjectPropertyDesc kTable[kProjectPropertyCount] = {
    {0, 2, "Name", "UI工程名字"},
    {1, 8, "Display Language", "当前字符串的显示语言"},
    {2, 2, "Screen Width", "屏幕宽度"},
    {3, 2, "Screen Height", "屏幕高度"},
    {4, 33, "Case Dir", "Case目录路径"},
    {7, 33, "Pic Res Path", "图片资源文件路径"},
    {8, 33, "Str Res Dir", "字符串资源目录路径"},
    {9, 33, "style header Path", "风格头文件路径"},
    {10, 33, "style Path", "风格文件路径"},
    {11, 8, "resource type", "生成资源类型(公共、私有)"},
    {13, 8, ".desktop file", "生成的.desktop文件信息"},
    {14, 33, ".desktop file path", ".desktop文件路径"},
    {15, 33, "comment", "注释（简单描述应用的用途）"},
    {16, 33, "exec dir", "应用程序在小机上的可执行文件目录"},
    {17, 8, "type", "destop类型"},
    {18, 33, "child", "下一级目录显示的应用列表"},
    {19, 2, "exec", "应用可执行文件名"},
    {20, 33, "icon-id", "icon-id"},
    {21, 33, "icon", "icon"},
    {22, 33, "name-id", "name-id"},
    {23, 2, "name", "主界面显示的默认名字"},
    {24, 33, "name strId", "名字的字符串资源id"},
};

} // namespace

const ProjectPropertyDesc* ProjectPropertyTable()
{
    return kTable;
}
