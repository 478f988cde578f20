#pragma once

#include "components/packing/PictureCache.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace generate {

// What identifies a file's state without reading it, as make and ccache's direct mode use it.
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0; // status change; not kept across a rename
    std::uint64_t inode = 0;
    std::uint64_t device = 0;

    bool operator==(const FileStamp& o) const
    {
        return size == o.size && modifiedNs == o.modifiedNs && changedNs == o.changedNs &&
               inode == o.inode && device == o.device;
    }
    // The same file, unchanged since, once renamed into place.
    bool sameContentAs(const FileStamp& o) const
    {
        return size == o.size && modifiedNs == o.modifiedNs && inode == o.inode &&
               device == o.device;
    }
    // The stamp of the file at `path`; nothing when it is no regular file.
    static std::optional<FileStamp> of(const std::string& path);
};

// What the last build through the picture cache knew about one picture resource file, kept in
// the cache folder: the picture files' stamps with the hashes of their bytes (so that an
// unchanged picture need not be read to find its entry), the key of everything that made
// the file with the file's own stamp (so that a build that would write the same bytes leaves
// it as it is), and where each entry lies in it (so that a build after a few changes takes the
// others from it). The file before it may be kept in the cache folder as a spare, which the
// next build rewrites where it differs instead of writing a whole new file. Read back only
// when whole and intact.
struct BuildRecord
{
    struct Picture
    {
        std::string path;
        FileStamp stamp;
        packing::PictureCache::Key content;
    };
    // One entry of a picture file: its cache key, its place and its warning.
    struct Entry
    {
        packing::PictureCache::Key key;
        packing::ResEntryInfo info;
        std::string warning;
    };

    std::vector<Picture> pictures;
    packing::PictureCache::Key made; // of the options and every entry of the file
    FileStamp output;
    int count = 0;
    std::vector<std::string> warnings;
    std::vector<Entry> entries; // of the output, in file order
    FileStamp spare; // no inode: no spare
    std::vector<Entry> spareEntries; // what the spare holds where, when known

    // Where the record of the output `target` is kept in the cache folder `directory`.
    static std::string pathFor(const std::string& directory, const std::string& target);
    // Where the spare of the output `target` is kept in the cache folder `directory`.
    static std::string sparePathFor(const std::string& directory, const std::string& target);
    bool load(const std::string& path);
    // Replaces the record at `path` by a rename; false when it cannot be written.
    bool save(const std::string& path) const;

    std::vector<std::uint8_t> encode() const;
    bool decode(const std::vector<std::uint8_t>& bytes);
};

} // namespace generate
