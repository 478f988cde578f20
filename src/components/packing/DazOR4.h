#pragma once

#include <string>

// The picture compressor: reads a picture resource file and writes it again
// with the entries compressed, keeping the container layout (header, 16-byte
// entries with data offsets, data in entry order), so the result can still be
// split. It uses the method and tile size recorded in the file's header.
class DazOR4
{
public:
    // Worker threads (0 = one per processor); the output does not depend on it.
    void SetThreadCount(unsigned threads) { m_threads = threads; }

    // Compresses `source` into `destination` (which may be the same file).
    // With `onlyFlagged`, only the entries packed with the compress flag are
    // compressed; otherwise every picture entry is. Entries already compressed
    // are restored first, so compressing twice gives the same file. Returns
    // true when written; on false `destination` is untouched.
    bool res_pic_compress(const std::string& source, const std::string& destination,
                          bool onlyFlagged);

    const std::string& GetLastError() const { return m_error; }

private:
    bool fail(const std::string& message);

    unsigned m_threads = 0;
    std::string m_error;
};
