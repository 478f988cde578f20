#include "model/ProjectPropertyDesc.h"

#include "platform/UiText.h"

namespace {

const ProjectPropertyDesc kTable[kProjectPropertyCount] = {
    {0, 2, "Name", N_("UI工程名字")},
    {1, 8, "Display Language", N_("当前字符串的显示语言")},
    {2, 2, "Screen Width", N_("屏幕宽度")},
    {3, 2, "Screen Height", N_("屏幕高度")},
    {4, 33, "Case Dir", N_("Case目录路径")},
    {7, 33, "Pic Res Path", N_("图片资源文件路径")},
    {8, 33, "Str Res Dir", N_("字符串资源目录路径")},
    {9, 33, "style header Path", N_("风格头文件路径")},
    {10, 33, "style Path", N_("风格文件路径")},
    {11, 8, "resource type", N_("生成资源类型(公共、私有)")},
    {13, 8, ".desktop file", N_("生成的.desktop文件信息")},
    {14, 33, ".desktop file path", N_(".desktop文件路径")},
    {15, 33, "comment", N_("注释（简单描述应用的用途）")},
    {16, 33, "exec dir", N_("应用程序在小机上的可执行文件目录")},
    {17, 8, "type", N_("destop类型")},
    {18, 33, "child", N_("下一级目录显示的应用列表")},
    {19, 2, "exec", N_("应用可执行文件名")},
    {20, 33, "icon-id", "icon-id"},
    {21, 33, "icon", "icon"},
    {22, 33, "name-id", "name-id"},
    {23, 2, "name", N_("主界面显示的默认名字")},
    {24, 33, "name strId", N_("名字的字符串资源id")},
};

} // namespace

const ProjectPropertyDesc* ProjectPropertyTable()
{
    return kTable;
}
