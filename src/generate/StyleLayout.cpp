#include "generate/StyleLayout.h"

namespace generate {
namespace {

std::size_t membersSize(const std::vector<StyleMember>& members)
{
    std::size_t size = 0;
    for (const StyleMember& member : members) {
        size += styleRecordTreeSize(member);
    }
    return size;
}

struct TreeSize
{
    std::size_t operator()(const StyleGroupRecord& group) const
    {
        return kGroupRecordSize + membersSize(group.members);
    }
    std::size_t operator()(const StylePictureRecord& picture) const
    {
        return picture.region ? kRegionFrameListOffset + 2 * picture.frameIds.size()
                              : kPictureRecordSize;
    }
    std::size_t operator()(const StyleStringRecord&) const { return kStringRecordSize; }
};

} // namespace

std::size_t styleRecordTreeSize(const StyleMember& member)
{
    return std::visit(TreeSize{}, member.record);
}

std::size_t styleRecordTreeSize(const StyleTopContainer& container)
{
    return kTopContainerRecordSize + membersSize(container.members);
}

} // namespace generate
