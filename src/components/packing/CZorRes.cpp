#include "components/packing/CZorRes.h"

#include "components/packing/EntryCompressor.h"
#include "components/packing/FileBytes.h"
#include "components/packing/OrderedWorkers.h"
#include "components/packing/StagedFiles.h"
#include "components/packing/StrFileBuilder.h"
#include "platform/Trace.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <thread>

using packing::PictureEncoder;
using packing::PictureRequest;

CZorRes::CZorRes() = default;

void CZorRes::SetHDBufMode(int mode)
{
    m_wantDisk = mode == 1;
    if (m_pictures.empty()) {
        resetSpool();
    }
}

CZorRes::Coding CZorRes::codingOf(int compressType, int tileWidth, int tileHeight)
{
    Coding coding;
    coding.ahead = compressType >= 0;
    coding.method = compressType == 1 ? packing::kCompressionRle : packing::kCompressionLz4;
    if (tileWidth > 0 && tileHeight > 0) {
        // A tile wider than any picture is the same as that picture's width.
        coding.tileWidth = static_cast<std::uint16_t>(std::min(tileWidth, 0xFFFF));
        coding.tileHeight = static_cast<std::uint16_t>(std::min(tileHeight, 0xFFFF));
    }
    return coding;
}

void CZorRes::SetCompressAhead(int compressType, int tileWidth, int tileHeight)
{
    m_wantCoding = codingOf(compressType, tileWidth, tileHeight);
    if (m_pictures.empty()) {
        resetSpool();
    }
}

void CZorRes::resetSpool()
{
    m_spool.clear();
    m_spool.setOnDisk(m_wantDisk);
    m_coding = m_wantCoding;
}

packing::PictureEncoder::Result CZorRes::encode(const PictureRequest& request,
                                                Scratch& scratch) const
{
    if (m_cache != nullptr && m_cache->enabled()) {
        return encodeCached(request, scratch);
    }
    PictureEncoder::Result result =
        PictureEncoder::encodeInto(request, scratch.file, scratch.planes, m_times);
    finishEntry(result, scratch);
    return result;
}

void CZorRes::finishEntry(PictureEncoder::Result& result, Scratch& scratch) const
{
    if (!result.ok) {
        return;
    }
    if (!m_coding.ahead) {
        // The planes are what is kept: they leave the scratch.
        result.data = std::move(scratch.planes);
        scratch.planes.clear();
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    // Only the coded bytes are kept, at their size; the planes' buffer serves the next picture.
    packing::EntryCompressor::Packed packed =
        packing::EntryCompressor::packCopy(result.entry, scratch.planes, m_coding.method,
                                           m_coding.tileWidth, m_coding.tileHeight, scratch.coded);
    result.entry = packed.entry;
    result.data = std::move(packed.data);
    if (m_times != nullptr) {
        packing::PackingTimes::add(m_times->compressNs, start);
    }
}

std::string CZorRes::shapeOf(const PictureRequest& request) const
{
    // Raised whenever the encoder or the compressors would make other bytes of the same input.
    constexpr int kEntryVersion = 1;
    const int values[] = {kEntryVersion,
                          request.format,
                          request.quality,
                          request.alphaFormat,
                          request.argbOutput,
                          request.rawJpeg,
                          request.compress,
                          request.strict ? 1 : 0,
                          m_coding.ahead ? 1 : 0,
                          m_coding.ahead ? m_coding.method : 0,
                          m_coding.ahead ? m_coding.tileWidth : 0,
                          m_coding.ahead ? m_coding.tileHeight : 0};
    std::string shape;
    for (const int value : values) {
        shape += std::to_string(value) + ',';
    }
    return shape;
}

packing::PictureCache::Key CZorRes::EntryKey(const PictureRequest& request) const
{
    return packing::PictureCache::keyOf(shapeOf(request),
                                        {request.contentHigh, request.contentLow});
}

packing::ResEntryInfo CZorRes::EntryInfo(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_pictures.size()) {
        return {};
    }
    return m_pictures[static_cast<std::size_t>(index)].entry;
}

bool CZorRes::GetPicture(int index, packing::ResEntryInfo& info,
                         std::vector<std::uint8_t>& data) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_pictures.size()) {
        return false;
    }
    const Picture& picture = m_pictures[static_cast<std::size_t>(index)];
    info = picture.entry;
    return m_spool.read(picture.slot, data);
}

packing::ResFileHeader CZorRes::HeaderOf(std::size_t count, int splitStart, int compressType,
                                         int tileWidth, int tileHeight)
{
    const Coding coding = codingOf(compressType, tileWidth, tileHeight);
    packing::ResFileHeader header;
    header.count = static_cast<std::uint16_t>(count);
    header.method = coding.method;
    header.startIndex = static_cast<std::uint16_t>(splitStart);
    header.tileWidth = coding.tileWidth;
    header.tileHeight = coding.tileHeight;
    return header;
}

packing::PictureEncoder::Result CZorRes::encodeCached(const PictureRequest& request,
                                                      Scratch& scratch) const
{
    using packing::PictureCache;
    auto start = std::chrono::steady_clock::now();
    bool read = false;
    const auto readFile = [&] {
        read = packing::readFileBytes(request.path, scratch.file);
        return read;
    };
    PictureCache::Key content{request.contentHigh, request.contentLow};
    if (!request.contentKnown) {
        if (!readFile()) {
            // The encoder says why.
            return PictureEncoder::encodeInto(request, scratch.file, scratch.planes, m_times);
        }
        content = PictureCache::contentOf(scratch.file.data(), scratch.file.size());
    }
    const std::string shape = shapeOf(request);
    PictureCache::Key key = PictureCache::keyOf(shape, content);
    PictureCache::Entry cached;
    PictureEncoder::Result result;
    if (m_cache->find(key, cached)) {
        result.ok = true;
        result.entry = cached.info;
        result.warning = std::move(cached.warning);
        result.data = std::move(cached.data);
        if (m_times != nullptr) {
            ++m_times->cacheHits;
            packing::PackingTimes::add(m_times->cacheNs, start);
        }
        return result;
    }
    if (!read) {
        if (!readFile()) {
            return PictureEncoder::encodeInto(request, scratch.file, scratch.planes, m_times);
        }
        // The entry is kept under the bytes converted, whatever the caller thought they were.
        key = PictureCache::keyOf(
            shape, PictureCache::contentOf(scratch.file.data(), scratch.file.size()));
    }
    if (m_times != nullptr) {
        ++m_times->cacheMisses;
        start = packing::PackingTimes::add(m_times->cacheNs, start);
    }
    result = PictureEncoder::encodeBytes(request, scratch.file, scratch.planes, m_times);
    finishEntry(result, scratch);
    if (result.ok) {
        start = std::chrono::steady_clock::now();
        m_cache->store(key, result.entry, result.warning, result.data);
        if (m_times != nullptr) {
            packing::PackingTimes::add(m_times->cacheNs, start);
        }
    }
    return result;
}

int CZorRes::fail(const std::string& message)
{
    m_error = message;
    platform::trace("CZorRes: " + message + "\n");
    return 0;
}

int CZorRes::accept(const std::string& name, PictureEncoder::Result result)
{
    if (m_savedAhead && m_pictures.size() >= m_savedAhead->count) {
        // More than the table was made for: SaveFile writes the file whole.
        m_savedAhead->intact = false;
    }
    if (!result.ok) {
        return fail(result.error);
    }
    if (m_pictures.size() >= packing::kResMaxEntries) {
        return fail("too many pictures, " + name + " refused");
    }
    const long long slot = m_spool.append(std::move(result.data));
    if (slot < 0) {
        return fail("cannot buffer " + name + " in the temporary file");
    }
    m_pictures.push_back({name, result.entry, static_cast<std::size_t>(slot)});
    return 1;
}

int CZorRes::AddPicture(const std::string& name, const std::string& path, int compress,
                        int /*reserved*/, PIC_RES_FORMAT format, int quality, int alphaFormat,
                        int argbOutput, int rawJpeg)
{
    PictureRequest request;
    request.name = name;
    request.path = path;
    request.compress = compress;
    request.format = format;
    request.quality = quality;
    request.alphaFormat = alphaFormat;
    request.argbOutput = argbOutput;
    request.rawJpeg = rawJpeg;
    if (m_pictures.empty()) {
        // Modes asked for while pictures were held apply from here.
        resetSpool();
    }
    Scratch scratch;
    return accept(name, encode(request, scratch));
}

std::vector<int> CZorRes::AddPictures(const std::vector<PictureRequest>& requests,
                                      const std::function<void(std::size_t)>& added,
                                      std::vector<std::string>* refusals)
{
    std::vector<int> results(requests.size(), 0);
    if (refusals != nullptr) {
        refusals->assign(requests.size(), std::string());
    }
    if (m_pictures.empty()) {
        resetSpool();
    }
    if (m_pictures.empty() && !m_saveAheadPath.empty()) {
        beginSaveAhead(requests.size());
    } else if (m_savedAhead) {
        m_savedAhead->intact = false;
    }
    const unsigned threads = m_threads != 0 ? m_threads : std::thread::hardware_concurrency();
    packing::runOrderedWith<Scratch, PictureEncoder::Result>(
        requests.size(), threads,
        [&](Scratch& scratch, std::size_t i) {
            if (m_cancelled && m_cancelled()) {
                PictureEncoder::Result refused;
                refused.error = "cancelled";
                return refused;
            }
            return encode(requests[i], scratch);
        },
        [&](std::size_t i, PictureEncoder::Result result) {
            std::string warning = std::move(result.warning);
            results[i] = accept(requests[i].name, std::move(result));
            if (refusals != nullptr) {
                (*refusals)[i] = results[i] == 0 ? m_error : std::move(warning);
            }
            if (m_savedAhead) {
                if (results[i] == 0) {
                    m_savedAhead->intact = false;
                } else {
                    writeAhead(m_pictures.back());
                }
            }
            if (added) {
                added(i);
            }
        });
    return results;
}

int CZorRes::AddPictureCopy(const CZorRes& source, int index, const std::string& name)
{
    using namespace packing;
    if (index < 0 || static_cast<std::size_t>(index) >= source.m_pictures.size()) {
        return fail("no picture " + std::to_string(index) + " to copy as " + name);
    }
    if (m_pictures.empty()) {
        resetSpool();
    }
    const Picture& from = source.m_pictures[static_cast<std::size_t>(index)];
    PictureEncoder::Result result;
    result.entry = from.entry;
    if (!source.m_spool.read(from.slot, result.data)) {
        return fail("cannot read back " + from.name + " from the temporary file");
    }
    if (!(source.m_coding == m_coding)) {
        std::vector<std::uint8_t> planes;
        if (!EntryCompressor::restore(from.entry, result.data.data(), result.data.size(),
                                      source.m_coding.tileWidth, source.m_coding.tileHeight, planes,
                                      result.error)) {
            return fail(name + ": " + result.error);
        }
        result.entry.compression = kCompressionNone;
        result.entry.flags &= static_cast<std::uint8_t>(~kFlagTiled);
        result.entry.size = static_cast<std::uint32_t>(planes.size());
        result.data = std::move(planes);
        if (m_coding.ahead) {
            EntryCompressor::Packed packed =
                EntryCompressor::pack(result.entry, std::move(result.data), m_coding.method,
                                      m_coding.tileWidth, m_coding.tileHeight);
            result.entry = packed.entry;
            result.data = std::move(packed.data);
        }
    }
    result.ok = true;
    return accept(name, std::move(result));
}

int CZorRes::AddString(const std::string& name, const char* data, int length, int /*reserved*/)
{
    if (length < 0 || (data == nullptr && length > 0)) {
        return fail("string " + name + " without data");
    }
    if (m_strings.size() >= packing::kStrMaxEntries) {
        return fail("too many strings, " + name + " refused");
    }
    m_strings.push_back({name, std::string(data, data + length)});
    return 1;
}

int CZorRes::GetResNum() const
{
    return static_cast<int>(m_pictures.size() + m_strings.size());
}

std::string CZorRes::GetPictureName(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_pictures.size()) {
        return {};
    }
    return m_pictures[static_cast<std::size_t>(index)].name;
}

void CZorRes::beginSaveAhead(std::size_t count)
{
    m_savedAhead = std::make_unique<SavedAhead>();
    SavedAhead& ahead = *m_savedAhead;
    ahead.path = m_saveAheadPath;
    ahead.count = count;
    ahead.out = ahead.files.begin(ahead.path);
    if (ahead.out == nullptr || count > packing::kResMaxEntries) {
        // SaveFile writes the file whole and reports what stands in its way.
        m_savedAhead.reset();
        return;
    }
    // Room for the header and table, written once every entry's place is known.
    const std::vector<char> room(packing::kResHeaderSize + count * packing::kResEntrySize, 0);
    ahead.out->write(room.data(), static_cast<std::streamsize>(room.size()));
}

void CZorRes::writeAhead(const Picture& picture)
{
    SavedAhead& ahead = *m_savedAhead;
    std::vector<std::uint8_t> buffer;
    if (!ahead.intact || !m_spool.copyTo(picture.slot, *ahead.out, buffer)) {
        ahead.intact = false;
        return;
    }
    const char padding[packing::kResDataAlignment] = {};
    const std::size_t size = m_spool.size(picture.slot);
    ahead.out->write(padding, static_cast<std::streamsize>(packing::alignedSize(size) - size));
}

bool CZorRes::finishSaveAhead(const std::string& path, const packing::ResFileHeader& header)
{
    const std::unique_ptr<SavedAhead> ahead = std::move(m_savedAhead);
    if (!ahead || !ahead->intact || ahead->path != path || ahead->count != m_pictures.size() ||
        !*ahead->out) {
        return false;
    }
    std::vector<std::uint8_t> table;
    if (!entryTable(header, table)) {
        return false;
    }
    ahead->out->seekp(0);
    ahead->out->write(reinterpret_cast<const char*>(table.data()),
                      static_cast<std::streamsize>(table.size()));
    if (!ahead->files.commit()) {
        m_error = ahead->files.error();
        return false;
    }
    return true;
}

bool CZorRes::entryTable(const packing::ResFileHeader& header, std::vector<std::uint8_t>& table)
{
    using namespace packing;
    const std::size_t count = m_pictures.size();
    table.assign(kResHeaderSize + count * kResEntrySize, 0);
    writeResHeader(header, table.data());
    std::uint64_t offset = table.size();
    for (std::size_t i = 0; i < count; ++i) {
        ResEntryInfo entry = m_pictures[i].entry;
        entry.offset = static_cast<std::uint32_t>(offset);
        writeResEntry(entry, table.data() + kResHeaderSize + i * kResEntrySize);
        offset += alignedSize(entry.size);
        if (offset > std::numeric_limits<std::uint32_t>::max()) {
            m_error = "picture resource file would exceed 4 GiB";
            return false;
        }
    }
    return true;
}

bool CZorRes::writePictures(std::ofstream& out, const packing::ResFileHeader& header)
{
    using namespace packing;
    std::vector<std::uint8_t> table;
    if (!entryTable(header, table)) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(table.data()),
              static_cast<std::streamsize>(table.size()));
    std::vector<std::uint8_t> buffer;
    const char padding[kResDataAlignment] = {};
    for (const Picture& picture : m_pictures) {
        if (!m_spool.copyTo(picture.slot, out, buffer)) {
            m_error = "cannot read back " + picture.name + " from the temporary file";
            return false;
        }
        const std::size_t size = m_spool.size(picture.slot);
        out.write(padding, static_cast<std::streamsize>(alignedSize(size) - size));
    }
    return true;
}

int CZorRes::SaveFile(const std::string& path, int splitStart, int compressType, int tileWidth,
                      int tileHeight)
{
    if (splitStart < 0 || splitStart > 0xFFFF) {
        return fail("split start " + std::to_string(splitStart) + " outside 0..65535");
    }
    if (compressType < 0 || compressType > 2) {
        return fail("unknown compress type " + std::to_string(compressType));
    }
    Coding coding = codingOf(compressType, tileWidth, tileHeight);
    coding.ahead = m_coding.ahead;
    if (!(coding == m_coding)) {
        // The entries were compressed for another method or tile size.
        return fail("compress type or tiles differ from those the pictures were compressed with");
    }
    const packing::ResFileHeader header =
        HeaderOf(m_pictures.size(), splitStart, compressType, tileWidth, tileHeight);
    if (finishSaveAhead(path, header)) {
        return 1;
    }
    packing::StagedFiles files;
    std::ofstream* out = files.begin(path);
    if (out == nullptr) {
        return fail(files.error());
    }
    if (!writePictures(*out, header)) {
        return fail(m_error);
    }
    if (!files.commit()) {
        return fail(files.error());
    }
    return 1;
}

int CZorRes::SaveFileByLanguage(const std::string& directory, const std::vector<std::string>& names)
{
    if (names.empty() || names.size() > 0xFFFF) {
        return fail("no languages to write");
    }
    for (const std::string& name : names) {
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("/\\") != std::string::npos) {
            return fail("unusable string file name \"" + name + "\"");
        }
    }
    std::vector<std::string> strings;
    strings.reserve(m_strings.size());
    for (const StringEntry& s : m_strings) {
        strings.push_back(s.data);
    }
    packing::StagedFiles files;
    for (std::size_t language = 0; language < names.size(); ++language) {
        std::vector<std::uint8_t> bytes;
        std::string error;
        if (!packing::StrFileBuilder::build(strings, language, names.size(), bytes, error)) {
            return fail(error);
        }
        const std::string target = (std::filesystem::path(directory) / names[language]).string();
        std::ofstream* out = files.begin(target);
        if (out == nullptr) {
            return fail(files.error());
        }
        out->write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    if (!files.commit()) {
        return fail(files.error());
    }
    return 1;
}

void CZorRes::RemoveAll()
{
    m_savedAhead.reset();
    m_pictures.clear();
    m_strings.clear();
    resetSpool();
    m_error.clear();
}
