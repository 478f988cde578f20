// Build options read from the editor's settings file.

#include "generate/ResourceBuildOptions.h"
#include "platform/FileSystem.h"
#include "platform/TemporaryDirectory.h"
#include "projectfile/SettingsAccessor.h"

#include <gtest/gtest.h>

using generate::readResourceBuildOptions;

TEST(ResourceBuildOptions, MissingFileGivesTheDialogDefaults)
{
    platform::TemporaryDirectory dir;
    const auto options = readResourceBuildOptions(SettingsAccessor(dir.filePath("none.ini")));
    EXPECT_EQ(0, options.format);
    EXPECT_FALSE(options.compress);
    EXPECT_EQ(1, options.quality);
    EXPECT_EQ(-1, options.splitPackStart);
    EXPECT_EQ(0, options.splitSize);
    EXPECT_EQ(2, options.compressType);
    EXPECT_EQ(0, options.tileWidth);
    EXPECT_TRUE(options.useCache);
    EXPECT_EQ("", options.cacheDirectory);
    EXPECT_EQ(std::uint64_t{2} << 30, options.cacheLimit);
}

TEST(ResourceBuildOptions, PictureCacheSettings)
{
    platform::TemporaryDirectory dir;
    const std::string ini = dir.filePath("SkinSmith.ini");
    platform::writeFileAtomically(ini,
                                  "[CONFIG]\nCACHE_DIR=/srv/shared cache\nCACHE_SIZE_MB=300\n");
    auto options = readResourceBuildOptions(SettingsAccessor(ini));
    EXPECT_TRUE(options.useCache);
    EXPECT_EQ("/srv/shared cache", options.cacheDirectory);
    EXPECT_EQ(std::uint64_t{300} << 20, options.cacheLimit);

    platform::writeFileAtomically(ini, "[CONFIG]\nEN_CACHE=0\nCACHE_SIZE_MB=-5\n");
    options = readResourceBuildOptions(SettingsAccessor(ini));
    EXPECT_FALSE(options.useCache);
    EXPECT_EQ(std::uint64_t{2} << 30, options.cacheLimit);
}

TEST(ResourceBuildOptions, ReadsWhatTheMenusAndTheDialogStore)
{
    platform::TemporaryDirectory dir;
    const std::string ini = dir.filePath("SkinSmith.ini");
    platform::writeFileAtomically(ini, "[CONFIG]\nRES_FORMAT=7\nRES_COMPRESS=1\nRAW_JPEG=1\n"
                                       "RES_MODE=1\nEN_SPLITRES=1\nSPLITRES_SIZE=2\n"
                                       "EN_SPLITPACK=0\nSPLITPACK_START=12\nEN_TILE=0\n"
                                       "TILE_WIDTH=16\nTILE_HEIGHT=8\nCOMPRESS_TYPE=1\n");
    auto options = readResourceBuildOptions(SettingsAccessor(ini));
    EXPECT_EQ(7, options.format);
    EXPECT_TRUE(options.compress);
    EXPECT_TRUE(options.rawJpeg);
    EXPECT_EQ(0, options.quality);
    EXPECT_EQ(2097152, options.splitSize);
    EXPECT_EQ(-1, options.splitPackStart);
    EXPECT_EQ(0, options.tileWidth); // tiles switched off
    EXPECT_EQ(1, options.compressType);

    SettingsAccessor settings(ini);
    settings.writeText("CONFIG", "EN_SPLITPACK", "1", true);
    settings.writeText("CONFIG", "EN_TILE", "1", true);
    options = readResourceBuildOptions(settings);
    EXPECT_EQ(12, options.splitPackStart);
    EXPECT_EQ(0, options.splitSize);
    EXPECT_EQ(16, options.tileWidth);
    EXPECT_EQ(8, options.tileHeight);
}
