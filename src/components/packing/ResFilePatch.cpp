#include "components/packing/ResFilePatch.h"

#include "components/packing/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <unistd.h>

namespace packing {
namespace {

bool copyByReading(int from, std::uint64_t fromAt, int to, std::uint64_t toAt, std::size_t size)
{
    std::vector<std::uint8_t> buffer(std::min<std::size_t>(size, std::size_t{1} << 20));
    while (size > 0) {
        const std::size_t part = std::min(size, buffer.size());
        const ssize_t got = ::pread(from, buffer.data(), part, static_cast<off_t>(fromAt));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got == 0) {
                errno = EIO; // the source is shorter than its table says
            }
            return false;
        }
        const auto length = static_cast<std::size_t>(got);
        if (!writeAllAt(to, buffer.data(), length, toAt)) {
            return false;
        }
        size -= length;
        fromAt += length;
        toAt += length;
    }
    return true;
}

// Copies in the kernel where it can, which spares reading the bytes into this process.
bool copyRange(int from, std::uint64_t fromAt, int to, std::uint64_t toAt, std::size_t size)
{
    auto in = static_cast<off_t>(fromAt);
    auto out = static_cast<off_t>(toAt);
    while (size > 0) {
        const ssize_t copied = ::copy_file_range(from, &in, to, &out, size, 0);
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                           errno == EOPNOTSUPP || errno == EBADF)) {
            return copyByReading(from, static_cast<std::uint64_t>(in), to,
                                 static_cast<std::uint64_t>(out), size);
        }
        if (copied <= 0) {
            if (copied == 0) {
                errno = EIO;
            }
            return false;
        }
        size -= static_cast<std::size_t>(copied);
    }
    return true;
}

} // namespace

bool ResFilePatch::place(std::vector<Entry>& entries)
{
    std::uint64_t offset = kResHeaderSize + entries.size() * kResEntrySize;
    for (Entry& entry : entries) {
        if (offset > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        entry.info.offset = static_cast<std::uint32_t>(offset);
        offset += alignedSize(entry.info.size);
    }
    return offset <= std::numeric_limits<std::uint32_t>::max();
}

bool ResFilePatch::write(int fd, const ResFileHeader& header, const std::vector<Entry>& entries,
                         std::string& error)
{
    const auto failed = [&error](const std::string& what) {
        error = what + ": " + std::strerror(errno);
        return false;
    };
    std::vector<std::uint8_t> table(kResHeaderSize + entries.size() * kResEntrySize, 0);
    writeResHeader(header, table.data());
    std::uint64_t end = table.size();
    const std::uint8_t padding[kResDataAlignment] = {};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        writeResEntry(entry.info, table.data() + kResHeaderSize + i * kResEntrySize);
        const std::size_t size = entry.info.size;
        end = entry.info.offset + alignedSize(size);
        if (entry.inPlace) {
            continue;
        }
        if (entry.data != nullptr && entry.data->size() != size) {
            error = "entry " + std::to_string(i + 1) + " does not match its size";
            return false;
        }
        const bool written =
            entry.data != nullptr
                ? writeAllAt(fd, entry.data->data(), size, entry.info.offset)
                : copyRange(entry.sourceFd, entry.sourceOffset, fd, entry.info.offset, size);
        if (!written) {
            return failed("cannot write entry " + std::to_string(i + 1));
        }
        if (!writeAllAt(fd, padding, alignedSize(size) - size, entry.info.offset + size)) {
            return failed("cannot write entry " + std::to_string(i + 1));
        }
    }
    if (!writeAllAt(fd, table.data(), table.size(), 0)) {
        return failed("cannot write the entry table");
    }
    if (::ftruncate(fd, static_cast<off_t>(end)) != 0) {
        return failed("cannot set the file's size");
    }
    return true;
}

} // namespace packing
