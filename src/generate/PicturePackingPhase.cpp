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

#include <algorithm>
#include <chrono>

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
    if (recordable() && reuseLastFile(requests, record)) {
        platform::removeFile(nativeOutputPath(header));
        return true;
    }
    CZorRes full;
    CZorRes splitPack;
    full.SetThreadCount(m_options.packingThreads);
    splitPack.SetThreadCount(m_options.packingThreads);
    full.SetCancelCheck(m_options.cancelRequested);
    splitPack.SetCancelCheck(m_options.cancelRequested);
    for (CZorRes* packer : {&full, &splitPack}) {
        packer->SetEntryCache(m_cache);
        packer->SetTimes(m_times);
    }
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

bool PicturePackingPhase::reuseLastFile(std::vector<packing::PictureRequest>& requests,
                                        BuildRecord& record)
{
    BuildRecord last;
    last.load(BuildRecord::pathFor(m_cache->directory(), m_target));
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
    std::vector<std::uint8_t> bytes;
    for (packing::PictureRequest& r : requests) {
        const std::optional<FileStamp> stamp = FileStamp::of(r.path);
        if (!stamp) {
            allKnown = false; // the packer says what is wrong with it
            continue;
        }
        const auto found = known.find(r.path);
        packing::PictureCache::Key content;
        if (found != known.end() && found->second->stamp == *stamp) {
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
    std::vector<std::string> accepted;
    for (const std::uint32_t index : m_project.UsedPictures()) {
        accepted.push_back(m_project.Pictures().Records().at(index).path);
    }
    if (!writeAcceptedHeader(accepted)) {
        return false;
    }
    m_fullCount = last.count;
    m_warnings = last.warnings;
    const int count = static_cast<int>(requests.size());
    m_progress.setPosition(5 * (count - 1));
    m_progress.setItems(count, count);
    return true;
}

void PicturePackingPhase::remember(BuildRecord& record) const
{
    const std::optional<FileStamp> output = FileStamp::of(m_resFile);
    if (!output) {
        return;
    }
    record.output = *output;
    record.count = m_fullCount;
    record.warnings = m_warnings;
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

bool PicturePackingPhase::allAccepted(const std::vector<packing::PictureRequest>& requests,
                                      const std::vector<int>& results,
                                      const std::vector<std::string>& refusals)
{
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (results[i] == 0) {
            return stop(platform::uiText("图片无法读取，无法创建资源文件：") + requests[i].path +
                        "\n" + refusals[i]);
        }
        if (!refusals[i].empty() && m_warned.insert(requests[i].path).second) {
            m_warnings.push_back(requests[i].path + ": " + refusals[i]);
        }
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
