#include "model/ElementDescTables.h"

#include "platform/UiText.h"

namespace model {
namespace {

constexpr const char kPictureIndexTip[] = N_("使用的图片资源在资源列表中的索引号，-1为无效");

const SnapItemAttrDesc kGroupDesc[kGroupDescCount] = {
    {0, kAttrName, "Name", N_("资源组名字")},
    {2, kAttrX, "x", N_("资源组x坐标")},
    {3, kAttrY, "y", N_("资源组y坐标")},
    {4, kAttrNumber, "Width", N_("资源组宽度")},
    {5, kAttrNumber, "Height", N_("资源组高度")},
    {6, kAttrNumber, "Transparency", N_("资源组的透明度")},
    {7, kAttrColour, "Backgroundcolor", N_("资源组的背景色")},
    {11, kAttrYesNo, "Opaque", N_("资源组是否使用背景色")},
    {8, kAttrReadOnly, "Resource Num", N_("资源组一级子资源个数")},
    {10, kAttrYesNo, "Visible", N_("资源组是否可见")},
};

const SnapItemAttrDesc kRegionDesc[kRegionDescCount] = {
    {0, kAttrName, "Name", N_("图片区名字")},
    {2, kAttrX, "x", N_("图片区x坐标")},
    {3, kAttrY, "y", N_("图片区y坐标")},
    {4, kAttrReadOnly, "Width", N_("图片区宽度")},
    {5, kAttrReadOnly, "Height", N_("图片区高度")},
    {6, kAttrReadOnly, "Frames", N_("图片区的帧数")},
    {7, kAttrCurrentFrame, "Current", N_("当前显示的帧号")},
    {8, kAttrReadOnly, "Index in List", kPictureIndexTip},
    {9, kAttrPath, "Path", N_("当前帧图片的路径")},
    {10, kAttrYesNo, "Visible", N_("图片区是否可见")},
    {12, kAttrYesNo, "PNG_A8", N_("图片区是否使用PNG A8格式")},
    {13, kAttrArgbOutput, "ARGB Output", N_("图片区的ARGB输出格式")},
};

const SnapItemAttrDesc kPictureDesc[kPictureDescCount] = {
    {0, kAttrName, "Name", N_("图片名字")},
    {2, kAttrX, "x", N_("图片x坐标")},
    {3, kAttrY, "y", N_("图片y坐标")},
    {4, kAttrReadOnly, "Width", N_("图片宽度")},
    {5, kAttrReadOnly, "Height", N_("图片高度")},
    {8, kAttrReadOnly, "Index in List", kPictureIndexTip},
    {9, kAttrPath, "Path", N_("图片的路径")},
    {10, kAttrYesNo, "Visible", N_("图片是否可见")},
    {11, kAttrYesNo, "Compress", N_("图片是否压缩")},
    {12, kAttrYesNo, "PNG_A8", N_("图片是否使用PNG A8格式")},
    {13, kAttrArgbOutput, "ARGB Output", N_("图片的ARGB输出格式")},
};

const SnapItemAttrDesc kStringDesc[kStringDescCount] = {
    {0, kAttrName, "Name", N_("字符串名字")},
    {2, kAttrX, "x", N_("字符串x坐标")},
    {3, kAttrY, "y", N_("字符串y坐标")},
    {4, kAttrNumber, "Width", N_("字符串宽度")},
    {5, kAttrNumber, "Height", N_("字符串高度")},
    {6, kAttrMode, "Mode", N_("字符串的显示模式")},
    {7, kAttrNumber, "Font Height", N_("字体高度")},
    {8, kAttrColour, "Foreground Color", N_("字符串的前景色")},
    {9, kAttrColour, "Background Color", N_("字符串的背景色")},
    {12, kAttrTextAlign, "Text Align", N_("字符的对齐方式")},
    {11, kAttrReadOnly, "Index in List", N_("使用的字符串资源在资源列表中的索引号，-1为无效")},
    {13, kAttrStringId, "StringID", N_("使用的字符串资源名字")},
    {14, kAttrYesNo, "Text Scroll", N_("字符串是否滚动显示")},
    {15, kAttrScrollDir, "Scroll Direct", N_("字符串的滚动方向")},
    {16, kAttrNumber, "Scroll Space", N_("两次滚动之间的间隔时间")},
    {17, kAttrNumber, "Scroll Pixel", N_("每次滚动移动的像素数")},
    {10, kAttrYesNo, "Visible", N_("字符串是否可见")},
};

} // namespace

const SnapItemAttrDesc* GroupDescTable()
{
    return kGroupDesc;
}

const SnapItemAttrDesc* RegionDescTable()
{
    return kRegionDesc;
}

const SnapItemAttrDesc* PictureDescTable()
{
    return kPictureDesc;
}

const SnapItemAttrDesc* StringDescTable()
{
    return kStringDesc;
}

} // namespace model
