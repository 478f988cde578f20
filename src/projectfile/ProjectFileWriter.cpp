#include "projectfile/ProjectFileWriter.h"

#include "model/CCanvasSnapShotItem.h"
#include "platform/FileSystem.h"
#include "projectfile/DocumentPrinter.h"
#include "projectfile/ElementWriter.h"
#include "projectfile/NodeProperties.h"
#include "projectfile/NodesById.h"
#include "projectfile/ParkedNodes.h"
#include "projectfile/ProjectTables.h"
#include "projectfile/ProjectXml.h"

#include <system_error>
#include <unordered_set>

using namespace projectfile;

namespace {

bool HasDeclaration(const TiXmlDocument& document)
{
    for (const TiXmlNode* node = document.FirstChild(); node; node = node->NextSibling()) {
        if (node->ToDeclaration()) {
            return true;
        }
    }
    return false;
}

} // namespace

class ProjectFileWriter::Impl
{
public:
    explicit Impl(APStyleProject& project) : m_project(project) {}

    void UpdateDocument();
    int Save(const std::string& path);

    APStyleProject& m_project;
    bool m_sizePicturesFromFiles = false;
    std::string m_error;

private:
    TiXmlElement& EnsureRoot();
    void WriteProjectProperties(TiXmlElement& root);
    void WriteDesktopProperties(NodeProperties& properties);
    void WriteScenes(TiXmlElement& root, ElementWriter& elements);
    void WriteScene(TiXmlElement& node, bool isNew, Snapshot& scene, ElementWriter& elements);
    void WriteResources(TiXmlElement& root);

    std::string m_groupClass;

    // Path properties: relative to the case directory, the case directory itself relative to
    // the project directory.
    std::string Stored(const std::string& path, bool toProjectDir = false) const
    {
        return m_project.MakeRelativePath(path, toProjectDir);
    }
};

TiXmlElement& ProjectFileWriter::Impl::EnsureRoot()
{
    TiXmlDocument& document = m_project.Document();
    // The declaration belongs in front of everything; an XML reader refuses it elsewhere.
    if (!HasDeclaration(document)) {
        const TiXmlDeclaration declaration("1.0", "utf-8", "no");
        if (document.FirstChild()) {
            document.InsertBeforeChild(document.FirstChild(), declaration);
        } else {
            document.InsertEndChild(declaration);
        }
    }
    if (!document.RootElement()) {
        document.InsertEndChild(TiXmlComment(kDocumentComment));
        document.InsertEndChild(TiXmlElement("ui-rad"));
    }
    return *document.RootElement();
}

void ProjectFileWriter::Impl::UpdateDocument()
{
    TiXmlElement& root = EnsureRoot();
    WriteProjectProperties(root);
    const ElementClassTable classes = ClassTableOf(m_project);
    ElementWriter elements(m_project, classes, m_sizePicturesFromFiles);
    m_groupClass = classes.className(ElementClassTable::kResourceGroup);
    WriteScenes(root, elements);
    WriteResources(root);
}

void ProjectFileWriter::Impl::WriteProjectProperties(TiXmlElement& root)
{
    const APStyleProject& p = m_project;
    NodeProperties properties(root);
    properties.Set("prj_name", p.Name());
    properties.Set("prj_language", Hex(static_cast<std::uint32_t>(p.DisplayLanguage())));
    properties.Set("prj_screen_width", Hex(static_cast<std::uint32_t>(p.ScreenWidth())));
    properties.Set("prj_screen_height", Hex(static_cast<std::uint32_t>(p.ScreenHeight())));
    properties.Set("prj_res_file", Stored(p.ResourceFile()));
    properties.Set("prj_res_str_dir", Stored(p.StringDir()));
    properties.Set("prj_res_head_file", Stored(p.PictureHeader()));
    properties.Set("prj_res_str_head_file", Stored(p.StringHeader()));
    properties.Set("prj_sty_head_file", Stored(p.StyleHeader()));
    properties.Set("prj_sty_file", Stored(p.StyleFile()));
    properties.Set("prj_build_res_type", Hex(static_cast<std::uint32_t>(p.BuildResType())));
    properties.Set("prj_build_res_mode", Hex(p.BuildResMode() ? 1 : 0));
    properties.Set("prj_case_path", Stored(p.CaseDir(), true));
    properties.Set("prj_sdk_path", Stored(p.SdkDir()));
    WriteDesktopProperties(properties);
}

void ProjectFileWriter::Impl::WriteDesktopProperties(NodeProperties& properties)
{
    const DesktopSettings& d = m_project.Desktop();
    properties.Set("desktop_file_create", Hex(static_cast<std::uint32_t>(d.create)));
    properties.Set("desktop_file_path", Stored(d.path));
    properties.Set("desktop_file_comment", d.comment);
    properties.Set("desktop_file_exec_dir", d.execDir);
    properties.Set("desktop_file_type", Hex(static_cast<std::uint32_t>(d.type)));
    properties.Set("desktop_file_child", d.child);
    properties.Set("desktop_file_exec", d.exec);
    properties.Set("desktop_file_icon_id", Hex(static_cast<std::uint32_t>(d.iconId)));
    properties.Set("desktop_file_icon", Hex(static_cast<std::uint32_t>(d.icon)));
    properties.Set("desktop_file_name_id", Hex(static_cast<std::uint32_t>(d.nameId)));
    properties.Set("desktop_file_name", d.name);
    properties.Set("desktop_file_name_str_id", d.nameStringId);
}

void ProjectFileWriter::Impl::WriteScenes(TiXmlElement& root, ElementWriter& elements)
{
    NodesById nodes(root, "scene");
    for (const auto& scene : m_project.Scenes()) {
        if (!scene->IsDeleted()) {
            nodes.CountLive(scene->GetId());
        }
    }
    // Only scenes that are written can clash: a deleted scene's identifier may have been
    // given to a live one by the renumbering.
    std::unordered_set<std::uint32_t> met;
    TiXmlElement* previous = nullptr;
    for (const auto& scenePtr : m_project.Scenes()) {
        Snapshot& scene = *scenePtr;
        if (scene.IsDeleted()) {
            if (TiXmlElement* node = nodes.TakeForDeleted(scene.GetId())) {
                ParkNode(m_project, &scene, root, node);
            }
            continue;
        }
        TiXmlElement* node = nodes.Take(scene.GetId());
        if (met.count(scene.GetId()) != 0) {
            // The node of a scene that repeats an earlier scene's identifier is the later
            // one carrying it; the scene is written anew under a fresh identifier.
            if (node) {
                root.RemoveChild(node);
                node = nullptr;
            }
            scene.SetId(static_cast<std::uint32_t>(m_project.NextId()));
            m_project.TakeParkedNode(&scene);
        }
        met.insert(scene.GetId());
        bool isNew = false;
        node = NodeToWrite(m_project, &scene, root, node, previous, "scene", &isNew);
        WriteScene(*node, isNew, scene, elements);
        previous = node;
    }
}

void ProjectFileWriter::Impl::WriteScene(TiXmlElement& node, bool isNew, Snapshot& scene,
                                         ElementWriter& elements)
{
    NodeProperties properties(node);
    TiXmlElement* name = properties.Set("name", scene.Name());
    TiXmlElement* anchor = name;
    if (isNew) {
        anchor = properties.Set("id", Decimal(scene.GetId()));
    }
    const SceneRecord& record = scene.Record();
    properties.SetAfter("direction", Decimal(record.direction), anchor);
    for (int n = 1; n <= 16; ++n) {
        properties.SetBeforeElements(("key" + std::to_string(n)).c_str(),
                                     Decimal(record.keys[n - 1]));
    }

    NodesById nodes(node, "element");
    for (const auto& element : scene.Elements()) {
        if (!element->IsDeleted() && dynamic_cast<CCanvasSnapShotItem*>(element.get())) {
            nodes.CountLive(element->GetId());
        }
    }
    TiXmlElement* previous = nullptr;
    for (const auto& elementPtr : scene.Elements()) {
        auto* group = dynamic_cast<CCanvasSnapShotItem*>(elementPtr.get());
        if (elementPtr->IsDeleted() || !group) {
            if (TiXmlElement* child = nodes.TakeForDeleted(elementPtr->GetId())) {
                ParkNode(m_project, elementPtr.get(), node, child);
            }
            continue;
        }
        // Keyed by the element pointer, as the node was parked under it.
        TiXmlElement* child = NodeToWrite(m_project, elementPtr.get(), node,
                                          nodes.Take(elementPtr->GetId()), previous, "element");
        previous = child;
        NodeProperties childProperties(*child);
        childProperties.Set("name", group->Name());
        childProperties.Set("id", Decimal(group->GetId()));
        child->SetAttribute("class", m_groupClass);
        elements.WriteGroup(childProperties, *group);
    }
}

void ProjectFileWriter::Impl::WriteResources(TiXmlElement& root)
{
    while (TiXmlElement* old = root.FirstChildElement("resource")) {
        root.RemoveChild(old);
    }
    auto* resource = root.LinkEndChild(new TiXmlElement("resource"))->ToElement();
    const auto& layers = m_project.LayerMap();
    for (const PictureRecord& record : m_project.Pictures().Records()) {
        auto* picture = new TiXmlElement("picture");
        picture->SetAttribute("value", record.path);
        if (const auto layer = layers.find(record.path); layer != layers.end()) {
            picture->SetAttribute("LayerID", layer->second);
        }
        resource->LinkEndChild(picture);
    }
    for (const std::string& file : m_project.TextFiles()) {
        auto* txt = new TiXmlElement("txt");
        txt->SetAttribute("value", file);
        resource->LinkEndChild(txt);
    }
    for (const StringRecord& record : m_project.Strings().Records()) {
        auto* string = new TiXmlElement("string");
        string->SetAttribute("value", record.identifier);
        resource->LinkEndChild(string);
    }
}

int ProjectFileWriter::Impl::Save(const std::string& path)
{
    m_error.clear();
    TiXmlDocument& document = m_project.Document();
    document.SetValue(path);
    UpdateDocument();
    std::error_code error;
    if (!platform::writeFileAtomically(path, PrintProjectDocument(document), &error)) {
        m_error = "cannot write " + path + (error ? ": " + error.message() : std::string());
        return 0;
    }
    return 1;
}

ProjectFileWriter::ProjectFileWriter(APStyleProject& project) : d(std::make_unique<Impl>(project))
{
}

ProjectFileWriter::~ProjectFileWriter() = default;

void ProjectFileWriter::SetSizePicturesFromFiles(bool on)
{
    d->m_sizePicturesFromFiles = on;
}

void ProjectFileWriter::UpdateDocument()
{
    d->UpdateDocument();
}

int ProjectFileWriter::Save(const std::string& path)
{
    return d->Save(path);
}

const std::string& ProjectFileWriter::ErrorString() const
{
    return d->m_error;
}
