#pragma once

#include "components/packing/EntrySpool.h"
#include "components/packing/PackingTimes.h"
#include "components/packing/PicResFormat.h"
#include "components/packing/PictureCache.h"
#include "components/packing/PictureEncoder.h"
#include "components/packing/PictureRequest.h"
#include "components/packing/ResFileLayout.h"
#include "components/packing/StagedFiles.h"

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The resource packer: one object per output file. Pictures are converted when
// they are added, so that a picture that cannot be read is refused at once;
// SaveFile then only writes. Strings are kept as given and written, one file
// per language, by SaveFileByLanguage. Results follow the project's
// convention: 1 success, 0 failure, with the reason in GetLastError().
class CZorRes
{
public:
    CZorRes();

    // 1 keeps the converted pictures in a temporary file instead of memory.
    // Takes effect while the packer is empty.
    void SetHDBufMode(int mode);
    // Worker threads for AddPictures (0 = one per processor). The output does
    // not depend on it.
    void SetThreadCount(unsigned threads) { m_threads = threads; }
    // Compresses every picture as it is converted, on the worker that converted
    // it, with the compress type and tiles that SaveFile will then be given.
    // SaveFile then writes at once the file that DazOR4::res_pic_compress(plain
    // file, ..., true) would make of the plain one, byte for byte. A negative
    // `compressType` turns it off. Takes effect while the packer is empty.
    void SetCompressAhead(int compressType, int tileWidth, int tileHeight);
    // Writes the pictures of the next AddPictures into the empty packer to a staged copy of
    // `path` as they are accepted, while later ones are still being converted, so that
    // SaveFile(path, ...) then only writes the entry table and puts the file in place. The
    // file is the same; SaveFile to another path, or after other additions, writes it whole.
    void SetSaveAhead(const std::string& path) { m_saveAheadPath = path; }
    // `cancelled` is asked on the converting threads before each picture of AddPictures; once
    // it returns true the pictures not yet converted are refused unread (reason "cancelled").
    // It must be safe to call from any thread. Empty: every picture is converted.
    void SetCancelCheck(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // Takes finished entries from `cache` (not owned; null for none) instead of converting
    // their pictures again, and keeps there the entries it converts. The file is the same.
    void SetEntryCache(packing::PictureCache* cache) { m_cache = cache; }
    // Adds where the converting workers spend their time to `times` (not owned; null for none).
    void SetTimes(packing::PackingTimes* times) { m_times = times; }

    // Converts and appends one picture. `reserved` is passed as 1 and not
    // used. Returns 1 when accepted, 0 when refused (unreadable picture,
    // unknown format, full packer); a refused picture leaves the packer as it was.
    int AddPicture(const std::string& name, const std::string& path, int compress, int reserved,
                   PIC_RES_FORMAT format, int quality, int alphaFormat, int argbOutput,
                   int rawJpeg);
    // As AddPicture for each request in order, converting on worker threads.
    // Returns one result per request; the entries are those of calling
    // AddPicture one by one. `added`, when given, is called on the calling
    // thread with each request's index once it has been accepted or refused.
    // `refusals`, when given, gets one text per request: why it was refused, or for an
    // accepted one what is wrong with it all the same (a warning), or empty.
    std::vector<int> AddPictures(const std::vector<packing::PictureRequest>& requests,
                                 const std::function<void(std::size_t)>& added = {},
                                 std::vector<std::string>* refusals = nullptr);

    // Appends picture `index` of `source` as `name`, converted as it was there,
    // without reading its file again; recompressed when the two packers
    // compress differently. Returns 1 when accepted, 0 when refused.
    int AddPictureCopy(const CZorRes& source, int index, const std::string& name);

    // Appends a string: `data` holds the texts of all languages, each
    // NUL-terminated, `length` bytes in all. Returns 1, or 0 when refused.
    int AddString(const std::string& name, const char* data, int length, int reserved);

    // The key under which the entry cache keeps the entry of `request`, whose content must be
    // known; the same for every packer set up with the same compression.
    packing::PictureCache::Key EntryKey(const packing::PictureRequest& request) const;
    // Accepted picture `index`'s entry (offset unset); an empty one when there is none.
    packing::ResEntryInfo EntryInfo(int index) const;
    // Accepted picture `index`: its entry (offset unset) and stored bytes. False when there is
    // no such picture or its bytes cannot be read back.
    bool GetPicture(int index, packing::ResEntryInfo& info, std::vector<std::uint8_t>& data) const;
    // The header SaveFile writes for `count` pictures with these arguments.
    static packing::ResFileHeader HeaderOf(std::size_t count, int splitStart, int compressType,
                                           int tileWidth, int tileHeight);

    // Number of accepted pictures and strings.
    int GetResNum() const;
    // Name of accepted picture `index` (in order), or empty.
    std::string GetPictureName(int index) const;

    // Writes the pictures as a picture resource file. `splitStart` (0..65535)
    // goes to header bytes 10..11; `compressType` 1 RLE, 2 LZ4, 0 LZ4 is what
    // the compressor will use; the tile sizes (either one <= 0: no tiles) are
    // recorded for it too. With SetCompressAhead the entries are written
    // compressed, and the arguments must be the ones given there. Returns 1
    // when written; on 0 the target is untouched.
    int SaveFile(const std::string& path, int splitStart, int compressType, int tileWidth,
                 int tileHeight);

    // Writes one string file per name into `directory`, the i-th with the
    // texts of language i. Returns 1 when all were written; on 0 none was.
    int SaveFileByLanguage(const std::string& directory, const std::vector<std::string>& names);

    void RemoveAll();
    const std::string& GetLastError() const { return m_error; }

private:
    struct Picture
    {
        std::string name;
        packing::ResEntryInfo entry;
        std::size_t slot;
    };
    struct StringEntry
    {
        std::string name;
        std::string data;
    };

    // How the held entries are coded: compressed ahead or not, with which
    // header method and tile size.
    struct Coding
    {
        bool ahead = false;
        std::uint8_t method = packing::kCompressionLz4;
        std::uint16_t tileWidth = 0;
        std::uint16_t tileHeight = 0;
        bool operator==(const Coding& o) const
        {
            return ahead == o.ahead && (!ahead || (method == o.method && tileWidth == o.tileWidth &&
                                                   tileHeight == o.tileHeight));
        }
    };
    static Coding codingOf(int compressType, int tileWidth, int tileHeight);

    int fail(const std::string& message);
    int accept(const std::string& name, packing::PictureEncoder::Result result);
    // Buffers a converting thread reuses from one picture to the next.
    struct Scratch
    {
        std::vector<std::uint8_t> file;
        std::vector<std::uint8_t> planes;
        std::vector<std::uint8_t> coded;
    };
    packing::PictureEncoder::Result encode(const packing::PictureRequest& request,
                                           Scratch& scratch) const;
    // encode() through the entry cache.
    packing::PictureEncoder::Result encodeCached(const packing::PictureRequest& request,
                                                 Scratch& scratch) const;
    // Compresses the encoded `result` (planes in the scratch) as the coding says.
    void finishEntry(packing::PictureEncoder::Result& result, Scratch& scratch) const;
    // Everything besides the picture's bytes that shapes its entry, for the cache key.
    std::string shapeOf(const packing::PictureRequest& request) const;
    void resetSpool();
    // The header and entry table of the held pictures; false (error set) past 4 GiB.
    bool entryTable(const packing::ResFileHeader& header, std::vector<std::uint8_t>& table);
    bool writePictures(std::ofstream& out, const packing::ResFileHeader& header);
    // The file of SetSaveAhead while its pictures are added.
    struct SavedAhead
    {
        packing::StagedFiles files;
        std::ofstream* out = nullptr;
        std::string path;
        std::size_t count = 0; // pictures the table has room for
        bool intact = true;    // every request so far accepted and written
    };
    void beginSaveAhead(std::size_t count);
    void writeAhead(const Picture& picture);
    bool finishSaveAhead(const std::string& path, const packing::ResFileHeader& header);

    std::vector<Picture> m_pictures;
    std::vector<StringEntry> m_strings;
    packing::EntrySpool m_spool;
    bool m_wantDisk = false;
    Coding m_coding;
    Coding m_wantCoding;
    unsigned m_threads = 0;
    std::string m_saveAheadPath;
    std::function<bool()> m_cancelled;
    packing::PictureCache* m_cache = nullptr;
    packing::PackingTimes* m_times = nullptr;
    std::unique_ptr<SavedAhead> m_savedAhead;
    std::string m_error;
};
