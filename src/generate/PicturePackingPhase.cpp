#include "generate/PicturePackingPhase.h"

#include "components/packing/CZorRes.h"
#include "generate/IdentifierHeader.h"
#include "generate/OutputFile.h"
#include "generate/PictureFileCompression.h"
#include "model/APStyleProject.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/Trace.h"
#include "platform/UiText.h"
#include "platform/UserInteraction.h"

#include "components/packing/FileBytes.h"
#include "components/packing/FileDescriptor.h"
#include "components/packing/ResFilePatch.h"

#include <algorithm>
#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace generate {
namespace {

// Pictures between two progress updates: the bar moves without repainting for each one.
constexpr std::size_t kProgressStep = 16;

std::string picName(long long number)
{
    return "PIC" + std::to_string(number);
}

} // namespace

PicturePackingPhase::PicturePackingPhase(APStyleProject& project,
                                         const ResourceBuildOptions& options, int identifierBase,
                                         platform::ProgressReporter& progress)
    : m_project(project), m_options(options), m_base(identifierBase), m_progress(progress),
      m_resFile(nativeOutputPath(project.ResourceFile())),
      m_splitPackFile(siblingPath(m_resFile, "_OTA.res")),
      m_target(platform::storedToNative(project.ResourceFile()))
{
}

std::string PicturePackingPhase::siblingPath(const std::string& resFile, const std::string& suffix)
{
    return resFile.substr(0, resFile.size() < 4 ? 0 : resFile.size() - 4) + suffix;
}

bool PicturePackingPhase::stop(const std::string& message)
{
    m_error = message;
    platform::interaction().showMessage(message);
    return false;
}

bool PicturePackingPhase::goOn()
{
    if (m_options.cancelled()) {
        m_cancelled = true;
    }
    return !m_cancelled;
}

int PicturePackingPhase::layerOf(const std::string& storedPath) const
{
    const auto& layers = m_project.LayerMap();
    const auto found = layers.find(storedPath);
    return found == layers.end() ? -1 : found->second;
}

bool PicturePackingPhase::run()
{
    m_progress.setPhase(platform::uiText("正在创建图片资源..."));
    prepareOutputPath(m_resFile);
    const std::string header = m_project.PictureHeader();
    // The header is opened before anything is packed, so a header that cannot be written
    // stops the build before the picture file is touched.
    if (!writeIdentifierHeader(header, pictureIdentifierHeaderText(header, {}, m_base))) {
        m_error = platform::uiText("无法打开文件：") + header;
        return false;
    }
    std::vector<packing::PictureRequest> requests = fullRequests();
    BuildRecord record;
    BuildRecord last;
    if (recordable()) {
        last.load(BuildRecord::pathFor(m_cache->directory(), m_target));
        m_hadSpare = last.spare.inode != 0;
        if (reuseLastFile(requests, record, last)) {
            platform::removeFile(nativeOutputPath(header));
            return true;
        }
        const Patch patch = patchLastFile(requests, record, last);
        if (patch != Patch::NotPossible) {
            platform::removeFile(nativeOutputPath(header));
            if (patch == Patch::Stopped || !(goOn() && finish())) {
                return false;
            }
            remember(record);
            return true;
        }
    }
    CZorRes full;
    CZorRes splitPack;
    configure(full);
    configure(splitPack);
    if (compressAhead()) {
        // Each picture is compressed on the worker that converted it and kept in memory
        // (compressed, it is a fraction of its raw size), so the file is written once,
        // compressed, instead of written raw, read back and written again.
        full.SetCompressAhead(m_options.compressType, m_options.tileWidth, m_options.tileHeight);
        splitPack.SetCompressAhead(0, 0, 0);
    } else {
        full.SetHDBufMode(1);
        splitPack.SetHDBufMode(1);
    }
    // The picture file is written while its pictures are converted, and put in place by save().
    full.SetSaveAhead(m_resFile);
    std::vector<int> layers;
    const bool packed = packFull(full, std::move(requests), layers) &&
                        packSplitPack(full, splitPack, std::move(layers));
    platform::removeFile(nativeOutputPath(header));
    if (!packed) {
        return false;
    }
    m_fullCount = full.GetResNum();
    m_splitCount = splitPack.GetResNum();
    platform::trace("Full res count : " + std::to_string(m_fullCount) +
                    " , ota: " + std::to_string(m_splitCount) + "\n");
    if (m_fullCount == 0) {
        // Nothing accepted: the picture resource file stays as it was.
        return true;
    }
    if (!(goOn() && save(full, splitPack) && goOn() && finish())) {
        return false;
    }
    if (recordable()) {
        const std::optional<FileStamp> target = FileStamp::of(m_target);
        const bool known = target && target->sameContentAs(last.output);
        keepSpare(record, known ? last.entries : std::vector<BuildRecord::Entry>());
        remember(record);
    }
    return true;
}

std::vector<packing::PictureRequest> PicturePackingPhase::fullRequests() const
{
    const auto& used = m_project.UsedPictures();
    const auto& records = m_project.Pictures().Records();
    std::vector<packing::PictureRequest> requests;
    for (std::size_t i = 0; i < used.size(); ++i) {
        const PictureRecord& record = records.at(used[i]);
        requests.push_back(request(picName(static_cast<long long>(i) + 1), record.path,
                                   record.alphaFormat, record.argbOutput));
    }
    return requests;
}

bool PicturePackingPhase::recordable() const
{
    // A split pack, parts or debug copies come from more than the pictures' entries.
    return m_cache != nullptr && m_cache->enabled() && !m_options.splitPack() &&
           m_options.splitSize <= 0 && !m_options.debugMode;
}

packing::PictureCache::Key
PicturePackingPhase::madeKeyOf(const ResourceBuildOptions& options,
                               const std::vector<packing::PictureRequest>& requests)
{
    // Raised whenever the same pictures and options would make another file.
    constexpr int kFileVersion = 1;
    std::string text =
        std::to_string(kFileVersion) + ',' + std::to_string(options.format) + ',' +
        std::to_string(options.compress) + ',' + std::to_string(options.compressType) + ',' +
        std::to_string(options.quality) + ',' + std::to_string(options.rawJpeg) + ',' +
        std::to_string(options.tileWidth) + ',' + std::to_string(options.tileHeight) + ',' +
        std::to_string(options.strict) + '\n';
    for (const packing::PictureRequest& r : requests) {
        text += r.name + '\n' + r.path + '\n' + std::to_string(r.alphaFormat) + ',' +
                std::to_string(r.argbOutput) + ',' + std::to_string(r.contentHigh) + ',' +
                std::to_string(r.contentLow) + '\n';
    }
    return packing::PictureCache::contentOf(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
}

void PicturePackingPhase::configure(CZorRes& packer) const
{
    packer.SetThreadCount(m_options.packingThreads);
    packer.SetCancelCheck(m_options.cancelRequested);
    packer.SetEntryCache(m_cache);
    packer.SetTimes(m_times);
}

bool PicturePackingPhase::reuseLastFile(std::vector<packing::PictureRequest>& requests,
                                        BuildRecord& record, const BuildRecord& last)
{
    std::map<std::string, const BuildRecord::Picture*> known;
    for (const BuildRecord::Picture& picture : last.pictures) {
        known.emplace(picture.path, &picture);
    }
    // A file changed within this margin of being stamped might change again without its
    // stamp showing it: only older stamps are kept.
    const std::int64_t trusted =
        std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::system_clock::now().time_since_epoch() - std::chrono::seconds(2))
            .count();
    bool allKnown = true;
    bool learned = false; // a stamp the record lacks, now old enough to keep
    std::vector<std::uint8_t> bytes;
    for (packing::PictureRequest& r : requests) {
        const std::optional<FileStamp> stamp = FileStamp::of(r.path);
        if (!stamp) {
            allKnown = false; // the packer says what is wrong with it
            continue;
        }
        const auto found = known.find(r.path);
        const bool stamped = found != known.end() && found->second->stamp == *stamp;
        packing::PictureCache::Key content;
        if (stamped) {
            content = found->second->content;
        } else if (packing::readFileBytes(r.path, bytes)) {
            content = packing::PictureCache::contentOf(bytes.data(), bytes.size());
        } else {
            allKnown = false;
            continue;
        }
        r.contentKnown = true;
        r.contentHigh = content.high;
        r.contentLow = content.low;
        if (stamp->modifiedNs < trusted && stamp->changedNs < trusted) {
            record.pictures.push_back({r.path, *stamp, content});
            learned = learned || !stamped;
        }
    }
    record.made = madeKeyOf(m_options, requests);
    const std::optional<FileStamp> target = FileStamp::of(m_target);
    if (!allKnown || requests.empty() || !target || !target->sameContentAs(last.output) ||
        !(last.made == record.made) || last.count != static_cast<int>(requests.size())) {
        return false;
    }
    // The staged file is the file in place: committing it changes nothing.
    platform::removeFile(m_resFile);
    if (::link(m_target.c_str(), m_resFile.c_str()) != 0) {
        return false;
    }
    if (!acceptAllUsed(last.count)) {
        return false;
    }
    if (learned) {
        // The next build need not read those pictures again.
        BuildRecord updated = last;
        updated.pictures = std::move(record.pictures);
        updated.save(BuildRecord::pathFor(m_cache->directory(), m_target));
    }
    m_warnings = last.warnings;
    return true;
}

PicturePackingPhase::Patch
PicturePackingPhase::patchLastFile(const std::vector<packing::PictureRequest>& requests,
                                   BuildRecord& record, const BuildRecord& last)
{
    using packing::ResFilePatch;
    const std::optional<FileStamp> target = FileStamp::of(m_target);
    if (requests.empty() || last.entries.empty() || !target ||
        !target->sameContentAs(last.output) ||
        std::any_of(requests.begin(), requests.end(),
                    [](const packing::PictureRequest& r) { return !r.contentKnown; })) {
        return Patch::NotPossible;
    }
    CZorRes packer;
    configure(packer);
    if (compressAhead()) {
        packer.SetCompressAhead(m_options.compressType, m_options.tileWidth, m_options.tileHeight);
    } else {
        packer.SetHDBufMode(1);
    }
    std::map<packing::PictureCache::Key, const BuildRecord::Entry*> previous;
    for (const BuildRecord::Entry& entry : last.entries) {
        previous.emplace(entry.key, &entry);
    }
    std::vector<packing::PictureCache::Key> keys;
    std::vector<packing::PictureRequest> missing;
    for (const packing::PictureRequest& r : requests) {
        keys.push_back(packer.EntryKey(r));
        if (previous.count(keys.back()) == 0) {
            missing.push_back(r);
        }
    }
    // After a large change a whole new file costs no more, and holds less in memory.
    if (missing.size() > requests.size() / 4 + 1) {
        return Patch::NotPossible;
    }
    const packing::FileDescriptor source(::open(m_target.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0) {
        return Patch::NotPossible;
    }
    std::vector<std::string> refusals;
    const std::vector<int> results = packer.AddPictures(missing, {}, &refusals);
    if (!goOn() || !noneRefused(missing, results, refusals)) {
        return Patch::Stopped;
    }
    std::vector<std::vector<std::uint8_t>> converted(missing.size());
    std::vector<ResFilePatch::Entry> entries(requests.size());
    std::vector<BuildRecord::Entry> kept(requests.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        kept[i].key = keys[i];
        const auto found = previous.find(keys[i]);
        if (found != previous.end()) {
            entries[i].info = found->second->info;
            entries[i].sourceFd = source.get();
            entries[i].sourceOffset = found->second->info.offset;
            kept[i].warning = found->second->warning;
        } else {
            if (!packer.GetPicture(static_cast<int>(next), entries[i].info, converted[next])) {
                return Patch::NotPossible;
            }
            entries[i].data = &converted[next];
            kept[i].warning = refusals[next];
            ++next;
        }
    }
    if (!ResFilePatch::place(entries)) {
        return Patch::NotPossible;
    }
    Layout layout;
    const packing::FileDescriptor file(takeSpare(last, layout));
    if (file.get() < 0) {
        return Patch::NotPossible;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].inPlace = layout.count({keys[i], entries[i].info.offset}) > 0;
        kept[i].info = entries[i].info;
    }
    std::string error;
    if (!ResFilePatch::write(file.get(),
                             CZorRes::HeaderOf(entries.size(), 0, m_options.compressType,
                                               m_options.tileWidth, m_options.tileHeight),
                             entries, error)) {
        platform::trace("Patching the picture file failed: " + error + "\n");
        platform::removeFile(m_resFile);
        return Patch::NotPossible;
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        keepWarning(requests[i].path, kept[i].warning);
    }
    if (!acceptAllUsed(static_cast<int>(requests.size()))) {
        return Patch::Stopped;
    }
    m_entries = std::move(kept);
    if (m_times != nullptr) {
        m_times->cacheHits += static_cast<int>(requests.size() - missing.size());
    }
    keepSpare(record, last.entries);
    return Patch::Done;
}

int PicturePackingPhase::takeSpare(const BuildRecord& last, Layout& layout)
{
    const std::string spare = BuildRecord::sparePathFor(m_cache->directory(), m_target);
    struct stat info = {};
    // A spare linked elsewhere too (the output of a build that then failed, or a copy someone
    // linked) is never written in place.
    const std::optional<FileStamp> stamp = FileStamp::of(spare);
    if (last.spare.inode != 0 && stamp && stamp->sameContentAs(last.spare) &&
        ::lstat(spare.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        ::rename(spare.c_str(), m_resFile.c_str()) == 0) {
        // Never through a link: the spare is written in place.
        const int fd = ::open(m_resFile.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        // Another build may have put something else there between the look and the rename.
        if (fd >= 0 && ::fstat(fd, &info) == 0 && info.st_nlink == 1 &&
            static_cast<std::uint64_t>(info.st_ino) == last.spare.inode &&
            static_cast<std::uint64_t>(info.st_size) == last.spare.size) {
            for (const BuildRecord::Entry& entry : last.spareEntries) {
                layout.emplace(entry.key, entry.info.offset);
            }
            return fd;
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    platform::removeFile(m_resFile);
    return ::open(m_resFile.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

void PicturePackingPhase::keepSpare(BuildRecord& record,
                                    const std::vector<BuildRecord::Entry>& entries)
{
    const std::string spare = BuildRecord::sparePathFor(m_cache->directory(), m_target);
    ::unlink(spare.c_str());
    platform::createDirectories(spare.substr(0, spare.rfind('/')));
    // A second name for the file this build replaces: it stays on disk as it is, and putting
    // the new file in place frees nothing. An output that is a symbolic link replaces the link
    // alone, so the file it names is nobody's spare.
    struct stat info = {};
    if (::lstat(m_target.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::link(m_target.c_str(), spare.c_str()) != 0) {
        return;
    }
    if (const std::optional<FileStamp> stamp = FileStamp::of(spare)) {
        if (!m_hadSpare) {
            m_cache->addUsage(stamp->size); // else it takes the last spare's place
        }
        record.spare = *stamp;
        record.spareEntries = entries;
    }
}

void PicturePackingPhase::remember(BuildRecord& record) const
{
    if (record.spare.inode == 0) {
        // A spare of an earlier file would only take room.
        ::unlink(BuildRecord::sparePathFor(m_cache->directory(), m_target).c_str());
    }
    const std::optional<FileStamp> output = FileStamp::of(m_resFile);
    if (!output) {
        return;
    }
    record.output = *output;
    record.count = m_fullCount;
    record.warnings = m_warnings;
    record.entries = m_entries;
    record.save(BuildRecord::pathFor(m_cache->directory(), m_target));
}

bool PicturePackingPhase::packFull(CZorRes& packer, std::vector<packing::PictureRequest> requests,
                                   std::vector<int>& layers)
{
    const auto& used = m_project.UsedPictures();
    const auto& records = m_project.Pictures().Records();
    // All pictures in one call keep the workers busy to the end; progress follows the
    // pictures as they are taken in.
    std::vector<std::string> refusals;
    const std::vector<int> results = packer.AddPictures(
        requests,
        [&](std::size_t i) {
            if ((i + 1) % kProgressStep == 0 || i + 1 == requests.size()) {
                m_progress.setPosition(static_cast<int>(5 * i));
                m_progress.setItems(static_cast<int>(i + 1), static_cast<int>(requests.size()));
            }
        },
        &refusals);
    // Pictures refused because of a cancel are no fault of theirs: nothing to report.
    if (!goOn()) {
        return false;
    }
    // A refused picture would move every later one down an index, away from the identifiers
    // the style file uses for them: nothing is written then.
    if (!allAccepted(requests, results, refusals)) {
        return false;
    }
    if (recordable()) {
        rememberEntries(packer, requests, refusals);
    }
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < used.size(); ++i) {
        const PictureRecord& record = records.at(used[i]);
        const int layer = layerOf(record.path);
        if (m_options.splitPack() && layer >= m_options.splitPackStart) {
            layers.push_back(layer);
        }
        accepted.push_back(record.path);
        if (m_options.splitPack() && sameAsSplitPackEntry(record)) {
            m_reusable.emplace(record.path, static_cast<int>(accepted.size() - 1));
        }
    }
    return writeAcceptedHeader(accepted);
}

void PicturePackingPhase::rememberEntries(const CZorRes& packer,
                                          const std::vector<packing::PictureRequest>& requests,
                                          const std::vector<std::string>& warnings)
{
    std::vector<packing::ResFilePatch::Entry> placed(requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        placed[i].info = packer.EntryInfo(static_cast<int>(i));
    }
    m_entries.clear();
    if (!std::all_of(requests.begin(), requests.end(),
                     [](const packing::PictureRequest& r) { return r.contentKnown; }) ||
        !packing::ResFilePatch::place(placed)) {
        return;
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        m_entries.push_back({packer.EntryKey(requests[i]), placed[i].info, warnings[i]});
    }
}

bool PicturePackingPhase::acceptAllUsed(int count)
{
    std::vector<std::string> accepted;
    for (const std::uint32_t index : m_project.UsedPictures()) {
        accepted.push_back(m_project.Pictures().Records().at(index).path);
    }
    if (!writeAcceptedHeader(accepted)) {
        return false;
    }
    m_fullCount = count;
    m_progress.setPosition(5 * (count - 1));
    m_progress.setItems(count, count);
    return true;
}

bool PicturePackingPhase::writeAcceptedHeader(const std::vector<std::string>& accepted)
{
    const std::string header = m_project.PictureHeader();
    if (!writeIdentifierHeader(header, pictureIdentifierHeaderText(header, accepted, m_base))) {
        m_error = platform::uiText("无法打开文件：") + header;
        return false;
    }
    return true;
}

packing::PictureRequest PicturePackingPhase::request(const std::string& name,
                                                     const std::string& storedPath, int alphaFormat,
                                                     int argbOutput) const
{
    packing::PictureRequest request;
    request.name = name;
    request.path = m_project.ResolvePath(storedPath, false);
    request.compress = m_options.compress ? 1 : 0;
    request.format = m_options.format;
    request.quality = m_options.quality;
    request.alphaFormat = alphaFormat;
    request.argbOutput = argbOutput;
    request.rawJpeg = m_options.rawJpeg ? 1 : 0;
    request.strict = m_options.strict;
    return request;
}

bool PicturePackingPhase::compressAhead() const
{
    // Debug mode keeps the uncompressed file, so it packs plain and compresses after.
    return m_options.compress && !m_options.debugMode;
}

bool PicturePackingPhase::sameAsSplitPackEntry(const PictureRecord& record)
{
    // The split pack packs every picture with alpha format and ARGB output 0; a picture
    // packed so in the full file too has the same entry there.
    return record.alphaFormat != 8 && record.argbOutput != 6 && record.argbOutput != 8;
}

bool PicturePackingPhase::packSplitPack(const CZorRes& full, CZorRes& packer,
                                        std::vector<int> layers)
{
    if (layers.empty()) {
        return true;
    }
    std::sort(layers.begin(), layers.end());
    const auto& pictures = m_project.Pictures();
    std::vector<packing::PictureRequest> requests;
    // Pictures to convert are handed over in runs, so that copies keep their place.
    bool packed = true;
    const auto flush = [&] {
        std::vector<std::string> refusals;
        const std::vector<int> results = packer.AddPictures(requests, {}, &refusals);
        packed = packed && goOn() && allAccepted(requests, results, refusals);
        requests.clear();
        return packed;
    };
    // Layer id -> the first stored path (in path order) that carries it, looked up once.
    std::map<int, const std::string*> carriers;
    for (const auto& [path, layer] : m_project.LayerMap()) {
        carriers.emplace(layer, &path);
    }
    for (const int layer : layers) {
        if (!goOn()) {
            return false;
        }
        const auto found = carriers.find(layer);
        if (found == carriers.end()) {
            continue;
        }
        const std::string& carrier = *found->second;
        const int index = pictures.Find(carrier);
        if (index >= 0) {
            const PictureRecord& record = pictures.At(static_cast<std::size_t>(index));
            platform::trace("OTA : " + std::to_string(record.number) + " " + record.name + "\n");
        }
        const auto copy = m_reusable.find(carrier);
        if (copy != m_reusable.end()) {
            if (!flush()) {
                return false;
            }
            if (packer.AddPictureCopy(full, copy->second, picName(layer)) == 0) {
                return stop(platform::uiText("无法复制差分包图片：") + carrier + "\n" +
                            packer.GetLastError());
            }
            continue;
        }
        requests.push_back(request(picName(layer), carrier, 0, 0));
    }
    return flush();
}

bool PicturePackingPhase::noneRefused(const std::vector<packing::PictureRequest>& requests,
                                      const std::vector<int>& results,
                                      const std::vector<std::string>& refusals)
{
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (results[i] == 0) {
            return stop(platform::uiText("图片无法读取，无法创建资源文件：") + requests[i].path +
                        "\n" + refusals[i]);
        }
    }
    return true;
}

void PicturePackingPhase::keepWarning(const std::string& path, const std::string& warning)
{
    if (!warning.empty() && m_warned.insert(path).second) {
        m_warnings.push_back(path + ": " + warning);
    }
}

bool PicturePackingPhase::allAccepted(const std::vector<packing::PictureRequest>& requests,
                                      const std::vector<int>& results,
                                      const std::vector<std::string>& refusals)
{
    if (!noneRefused(requests, results, refusals)) {
        return false;
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        keepWarning(requests[i].path, refusals[i]);
    }
    return true;
}

bool PicturePackingPhase::save(CZorRes& full, CZorRes& splitPack)
{
    platform::clearReadOnly(m_resFile);
    // The packer replaces the file only once the new one is complete, so the old file is
    // not deleted first: a failed save keeps it.
    if (!full.SaveFile(m_resFile, 0, m_options.compressType, m_options.tileWidth,
                       m_options.tileHeight)) {
        return stop(platform::uiText("保存图片资源文件失败：") + m_resFile + "\n" +
                    full.GetLastError());
    }
    if (m_options.splitPack() &&
        !splitPack.SaveFile(m_splitPackFile, m_options.splitPackStart, 0, 0, 0)) {
        return stop(platform::uiText("保存差分包文件失败：") + m_splitPackFile + "\n" +
                    splitPack.GetLastError());
    }
    return true;
}

bool PicturePackingPhase::finish()
{
    if (m_options.debugMode) {
        platform::copyFile(m_resFile, siblingPath(m_resFile, "_Debug_nolz4.res"));
    }
    if (m_options.compress) {
        platform::trace("Compress Pic Res\n");
        PictureFileCompression compression(m_options.debugMode);
        // Packed ahead, the files were saved compressed and only the split is left.
        const bool done = compressAhead();
        if (!(done ? compression.split(m_resFile, m_options.splitSize)
                   : compression.compress(m_resFile, m_options.splitSize))) {
            return stop(compression.error());
        }
        if (m_options.splitPack() && !done &&
            (!goOn() || !compression.compress(m_splitPackFile, 0))) {
            return m_cancelled ? false : stop(compression.error());
        }
    }
    if (m_options.splitPack()) {
        if (m_options.debugMode) {
            platform::copyFile(m_resFile, siblingPath(m_resFile, "_Debug.res"));
        }
        // The picture resource file then holds only the split-pack pictures.
        if (!platform::copyFile(m_splitPackFile, m_resFile)) {
            // Otherwise the device would get the whole set where it expects the pack.
            return stop(platform::uiText("无法复制差分包文件：") + m_splitPackFile + " -> " +
                        m_resFile);
        }
        platform::removeFile(m_splitPackFile);
    }
    return true;
}

} // namespace generate
