#pragma once

// Pixel format codes the build hands to the packer (the RES_FORMAT setting).
// The values are stored in settings files and project options: keep them.
enum PIC_RES_FORMAT
{
    PIC_RES_RGB565 = 0,
    PIC_RES_ARGB565 = 1,
    // 2 is not used.
    PIC_RES_ARGB888 = 3,
    PIC_RES_RGB888 = 4,
    PIC_RES_WATCH = 5,
    PIC_RES_ARGB6666 = 6,
    PIC_RES_ARGB1555 = 7,
};
