#include "model/Snapshot.h"

#include "model/APStyleProject.h"
#include "model/ElementFactory.h"
#include "model/SnapShotItemKind.h"
#include "platform/UiText.h"

namespace {

const SnapItemAttrDesc kSceneDesc[Snapshot::kDescCount] = {
    {0, kAttrName, "Name", N_("场景名字")},
    {2, kAttrX, "x", N_("场景窗口x坐标")},
    {3, kAttrY, "y", N_("场景窗口y坐标")},
    {4, kAttrNumber, "Width", N_("场景窗口宽度")},
    {5, kAttrNumber, "Height", N_("场景窗口高度")},
    {6, kAttrNumber, "Transparency", N_("场景的透明度")},
    {7, kAttrColour, "Background Color", N_("场景的背景色")},
    {8, kAttrYesNo, "Opaque", N_("场景是否使用背景色")},
    {9, kAttrReadOnly, "Resource Num", N_("场景一级子资源个数")},
    {10, kAttrYesNo, "Visible", N_("场景是否可见")},
    {11, kAttrChoice, "Rotation", N_("场景屏幕的旋转角度")},
    {20, kAttrChoice, "Key0", N_("选择按键映射")},
};

} // namespace

const SnapItemAttrDesc* Snapshot::SceneDescTable()
{
    return kSceneDesc;
}

Snapshot::Snapshot() : m_descTable(kSceneDesc) {}

// Elements are destroyed with the scene: each group destroys its own children.
Snapshot::~Snapshot() = default;

int Snapshot::IsDeleted() const
{
    return static_cast<int>(m_flags & kFlagDeleted);
}

void Snapshot::SetDeleted(int on)
{
    m_flags = on ? (m_flags | kFlagDeleted) : (m_flags & ~kFlagDeleted);
}

std::uint32_t Snapshot::GetId() const
{
    return m_record.id;
}

void Snapshot::SetId(std::uint32_t id)
{
    m_record.id = id;
}

std::unique_ptr<Snapshot> Snapshot::Clone(int newIds) const
{
    auto copy = std::make_unique<Snapshot>();
    copy->m_record = m_record;
    if (APStyleProject* project = APStyleProject::Current()) {
        copy->m_record.id = static_cast<std::uint32_t>(project->NextId());
    }
    copy->m_name = m_name;
    copy->m_reserved = m_reserved;
    copy->m_descTable = m_descTable;
    copy->m_descCount = m_descCount;
    copy->m_flags = m_flags;
    copy->m_elements.reserve(m_elements.size());
    for (const auto& element : m_elements) {
        copy->m_elements.push_back(element->Clone(newIds));
    }
    return copy;
}

SnapShotItem* Snapshot::AppendElement(std::unique_ptr<SnapShotItem> element)
{
    m_elements.push_back(std::move(element));
    return m_elements.back().get();
}

SnapShotItem* Snapshot::AddChild(int kind, int single)
{
    if (!m_elements.empty() || !model::IsElementKind(kind)) {
        return nullptr;
    }
    ++m_record.elementCounter;
    m_elements.push_back(model::CreateElement(kind, single, nullptr));
    return m_elements.back().get();
}
