#include "components/packing/DazOR4.h"

#include "components/packing/EntryCompressor.h"
#include "components/packing/OrderedWorkers.h"
#include "components/packing/ResFileReader.h"
#include "components/packing/StagedFiles.h"
#include "platform/Trace.h"

#include <limits>
#include <thread>

using namespace packing;

namespace {

struct Compressed
{
    bool ok = false;
    std::string error;
    EntryCompressor::Packed packed;
};

} // namespace

bool DazOR4::fail(const std::string& message)
{
    m_error = message;
    platform::trace("DazOR4: " + message + "\n");
    return false;
}

bool DazOR4::res_pic_compress(const std::string& source, const std::string& destination,
                              bool onlyFlagged)
{
    ResFileReader reader;
    if (!reader.load(source)) {
        return fail(source + ": " + reader.error());
    }
    const ResFileHeader& header = reader.header();
    const std::size_t count = reader.entries().size();

    // Each entry is compressed by itself; the file is assembled in entry order.
    auto compressOne = [&](std::size_t i) {
        Compressed result;
        ResEntryInfo entry = reader.entries()[i];
        if (entry.format == kFormatJpeg) {
            const std::uint8_t* data = reader.storedData(i);
            result.packed = {entry, std::vector<std::uint8_t>(data, data + entry.size)};
            result.ok = true;
            return result;
        }
        std::vector<std::uint8_t> planes;
        if (!EntryCompressor::restore(entry, reader.storedData(i), entry.size, header.tileWidth,
                                      header.tileHeight, planes, result.error)) {
            result.error = "entry " + std::to_string(i) + ": " + result.error;
            return result;
        }
        entry.compression = kCompressionNone;
        if (!onlyFlagged) {
            entry.flags |= kFlagCompress;
        }
        result.packed = EntryCompressor::pack(entry, std::move(planes), header.method,
                                              header.tileWidth, header.tileHeight);
        result.ok = true;
        return result;
    };

    // The entries are written as they come; the table, whose offsets are known
    // only then, is written over its placeholder at the end.
    StagedFiles files;
    std::ofstream* stream = files.begin(destination);
    if (stream == nullptr) {
        return fail(files.error());
    }
    std::vector<std::uint8_t> table(kResHeaderSize + count * kResEntrySize, 0);
    writeResHeader(header, table.data());
    stream->write(reinterpret_cast<const char*>(table.data()),
                  static_cast<std::streamsize>(table.size()));
    std::uint64_t offset = table.size();
    const char padding[kResDataAlignment] = {};
    std::string error;
    const unsigned threads = m_threads != 0 ? m_threads : std::thread::hardware_concurrency();
    runOrdered<Compressed>(count, threads, compressOne, [&](std::size_t i, Compressed result) {
        if (!error.empty()) {
            return;
        }
        if (!result.ok) {
            error = result.error;
            return;
        }
        ResEntryInfo& entry = result.packed.entry;
        const std::size_t size = result.packed.data.size();
        if (offset + size > std::numeric_limits<std::uint32_t>::max()) {
            error = "compressed file would exceed 4 GiB";
            return;
        }
        entry.offset = static_cast<std::uint32_t>(offset);
        entry.size = static_cast<std::uint32_t>(size);
        writeResEntry(entry, table.data() + kResHeaderSize + i * kResEntrySize);
        stream->write(reinterpret_cast<const char*>(result.packed.data.data()),
                      static_cast<std::streamsize>(size));
        stream->write(padding, static_cast<std::streamsize>(alignedSize(size) - size));
        offset += alignedSize(size);
    });
    if (!error.empty()) {
        return fail(source + ": " + error);
    }
    stream->seekp(0);
    stream->write(reinterpret_cast<const char*>(table.data()),
                  static_cast<std::streamsize>(table.size()));
    if (!files.commit()) {
        return fail(files.error());
    }
    return true;
}
