#pragma once

#include "components/packing/PackingTimes.h"
#include "components/packing/PictureCache.h"
#include "components/packing/PictureRequest.h"
#include "generate/BuildRecord.h"
#include "generate/ResourceBuildOptions.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

class APStyleProject;
class CZorRes;
struct PictureRecord;

namespace platform {
class ProgressReporter;
}

namespace generate {

// The picture phase of the resource build: packs the project's used pictures into the
// picture resource file (and, with a split pack, the pictures from the split-pack start on
// into a file of their own that then replaces it), writes and deletes the transient picture
// identifier header, and compresses and splits as the options say.
class PicturePackingPhase
{
public:
    PicturePackingPhase(APStyleProject& project, const ResourceBuildOptions& options,
                        int identifierBase, platform::ProgressReporter& progress);

    // The entry cache the packers use (not owned; null for none), and where they add up their
    // time (not owned; null for nowhere). Set before run().
    void setEntryCache(packing::PictureCache* cache) { m_cache = cache; }
    void setTimes(packing::PackingTimes* times) { m_times = times; }

    // Runs the phase. Returns false when the build has to stop; error() then holds the
    // message, which has been shown, or cancelled() is true and nothing was shown. Files
    // written before stay; a picture that cannot be read stops the phase before any output is
    // written.
    bool run();
    // True when run() stopped because the options' cancel check asked it to.
    bool cancelled() const { return m_cancelled; }

    // Entries of the full and the split-pack file after run().
    int fullCount() const { return m_fullCount; }
    int splitPackCount() const { return m_splitCount; }
    const std::string& error() const { return m_error; }
    // Pictures packed all the same though something is wrong with them (a chunk CRC that does
    // not match), each "path: what", each path once.
    const std::vector<std::string>& warnings() const { return m_warnings; }

    // Derived paths: `resFile` without its last four characters + `suffix`.
    static std::string siblingPath(const std::string& resFile, const std::string& suffix);

private:
    // The requests of the full file, one per used picture.
    std::vector<packing::PictureRequest> fullRequests() const;
    bool packFull(CZorRes& packer, std::vector<packing::PictureRequest> requests,
                  std::vector<int>& layers);
    // With the cache, a picture file made as the last one was, from the same pictures, is
    // only linked into place again (and the requests learn their pictures' hashes).
    bool recordable() const;
    bool reuseLastFile(std::vector<packing::PictureRequest>& requests, BuildRecord& record,
                       const BuildRecord& last);
    enum class Patch
    {
        Done,
        NotPossible, // nothing done: the file is to be made whole
        Stopped,     // a picture refused or the build cancelled
    };
    // With the cache, after a change since the last build: the entries still in the last file
    // are taken from it, the others converted (or taken from the cache), and the file is
    // written into the spare the build before left, where it differs, or else anew.
    Patch patchLastFile(const std::vector<packing::PictureRequest>& requests, BuildRecord& record,
                        const BuildRecord& last);
    // Puts the last build's spare at the staged path and opens it; -1 when there is none to
    // take, and `layout` then stays empty.
    using Layout = std::set<std::pair<packing::PictureCache::Key, std::uint32_t>>;
    int takeSpare(const BuildRecord& last, Layout& layout);
    // Keeps the picture file in place (which this build replaces) as the next build's spare,
    // with its `entries` when known: the spare's place and its blocks serve the next build even
    // when what it holds is not known.
    void keepSpare(BuildRecord& record, const std::vector<BuildRecord::Entry>& entries);
    void configure(CZorRes& packer) const;
    static packing::PictureCache::Key
    madeKeyOf(const ResourceBuildOptions& options,
              const std::vector<packing::PictureRequest>& requests);
    // Keeps the full packer's entries with their keys and warnings for the record.
    void rememberEntries(const CZorRes& packer,
                         const std::vector<packing::PictureRequest>& requests,
                         const std::vector<std::string>& warnings);
    // Every used picture is in a file made without the packer: writes the header naming them
    // and shows `count` pictures done. False (error set) when the header cannot be written.
    bool acceptAllUsed(int count);
    bool writeAcceptedHeader(const std::vector<std::string>& accepted);
    void remember(BuildRecord& record) const;
    bool packSplitPack(const CZorRes& full, CZorRes& packer, std::vector<int> layers);
    // The packing request for the picture stored as `storedPath`, with this build's options.
    packing::PictureRequest request(const std::string& name, const std::string& storedPath,
                                    int alphaFormat, int argbOutput) const;
    // Stops the phase (returning false) at the first request the packer refused, naming its
    // file and the reason; true when every request was accepted. Keeps the warnings of the
    // accepted ones.
    bool allAccepted(const std::vector<packing::PictureRequest>& requests,
                     const std::vector<int>& results, const std::vector<std::string>& refusals);
    bool noneRefused(const std::vector<packing::PictureRequest>& requests,
                     const std::vector<int>& results, const std::vector<std::string>& refusals);
    void keepWarning(const std::string& path, const std::string& warning);
    bool compressAhead() const;
    static bool sameAsSplitPackEntry(const PictureRecord& record);
    bool save(CZorRes& full, CZorRes& splitPack);
    bool finish();
    int layerOf(const std::string& storedPath) const;
    bool stop(const std::string& message);
    // Stops the phase (returning false) when the build was cancelled; true otherwise.
    bool goOn();

    APStyleProject& m_project;
    const ResourceBuildOptions& m_options;
    int m_base;
    platform::ProgressReporter& m_progress;
    std::string m_resFile;
    std::string m_splitPackFile;
    std::string m_target; // the picture file's own path, where the staged one goes
    int m_fullCount = 0;
    int m_splitCount = 0;
    std::string m_error;
    std::vector<std::string> m_warnings;
    std::set<std::string> m_warned; // paths with a warning
    // The full file's entries with their cache keys and warnings, for the record.
    std::vector<BuildRecord::Entry> m_entries;
    bool m_hadSpare = false; // the last build kept a spare in the cache folder
    bool m_cancelled = false;
    packing::PictureCache* m_cache = nullptr;
    packing::PackingTimes* m_times = nullptr;
    // Stored path -> index in the full packer of the pictures the split pack can copy.
    std::map<std::string, int> m_reusable;
};

} // namespace generate
