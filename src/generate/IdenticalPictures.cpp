#include "generate/IdenticalPictures.h"

#include "components/packing/PicResFormat.h"
#include "components/packing/PictureEncoder.h"
#include "model/APStyleProject.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>
#include <tuple>
#include <utility>

namespace generate {
namespace {

struct Decoded
{
    std::size_t position;
    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};

bool decode(const APStyleProject& project, std::size_t position, Decoded& decoded)
{
    packing::PictureRequest request;
    request.path = project.ResolvePath(project.Pictures().At(position).path, false);
    request.format = PIC_RES_ARGB888;
    request.quality = 1;
    std::vector<std::uint8_t> file;
    const packing::PictureEncoder::Result result =
        packing::PictureEncoder::encodeInto(request, file, decoded.pixels);
    decoded.position = position;
    decoded.width = result.entry.width;
    decoded.height = result.entry.height;
    return result.ok;
}

std::size_t hashOf(const std::vector<std::uint8_t>& pixels)
{
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(pixels.data()), pixels.size()));
}

} // namespace

std::vector<std::vector<std::size_t>> IdenticalPictures::Find(const APStyleProject& project)
{
    // Pictures are sorted by size and a hash of their pixels first, holding no pixels; only
    // those that agree are decoded again and compared byte for byte.
    std::map<std::tuple<int, int, std::size_t>, std::vector<std::size_t>> buckets;
    for (std::size_t i = 0; i < project.Pictures().Size(); ++i) {
        Decoded decoded;
        if (decode(project, i, decoded)) {
            buckets[{decoded.width, decoded.height, hashOf(decoded.pixels)}].push_back(i);
        }
    }
    std::vector<std::vector<std::size_t>> groups;
    for (const auto& [key, positions] : buckets) {
        if (positions.size() < 2) {
            continue;
        }
        std::vector<Decoded> members(positions.size());
        for (std::size_t i = 0; i < positions.size(); ++i) {
            decode(project, positions[i], members[i]);
        }
        std::vector<bool> taken(members.size(), false);
        for (std::size_t a = 0; a < members.size(); ++a) {
            if (taken[a]) {
                continue;
            }
            std::vector<std::size_t> group{members[a].position};
            for (std::size_t b = a + 1; b < members.size(); ++b) {
                if (!taken[b] && members[b].pixels == members[a].pixels) {
                    taken[b] = true;
                    group.push_back(members[b].position);
                }
            }
            if (group.size() > 1) {
                groups.push_back(std::move(group));
            }
        }
    }
    std::sort(groups.begin(), groups.end());
    return groups;
}

} // namespace generate
