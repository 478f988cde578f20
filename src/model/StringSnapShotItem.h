#pragma once

#include "components/visual/StringGraph.h"
#include "model/SnapShotItemKind.h"
#include "model/StringItemInfo.h"
#include "model/StringRecord.h"

#include <memory>
#include <string>

// A text string bound to a string resource, with one text per language. The element
// keeps its own copy of the bound record (the text store) and binds by the
// resource's name, with its id as a hint. The element and its drawable are one
// object: seen as a StringGraph it is the text on the editing surface. In this
// class's scope the shared names mean the element's slots.
class StringSnapShotItem : public SnapShotItemKind, public StringGraph
{
public:
    // Property ids of the string table beyond the common ones.
    enum : int
    {
        kPropMode = 6,
        kPropFontHeight = 7,
        kPropForeground = 8,
        kPropBackground = 9,
        kPropIndex = 11,
        kPropAlign = 12,
        kPropStringId = 13,
        kPropTextScroll = 14,
        kPropScrollDirection = 15,
        kPropScrollSpace = 16,
        kPropScrollPixel = 17
    };

    StringSnapShotItem();
    ~StringSnapShotItem() override;

    using SnapShotItemKind::Clone;
    using SnapShotItemKind::IsEditable;
    using SnapShotItemKind::IsVisible;
    using SnapShotItemKind::SetDeleted;
    using SnapShotItemKind::SetEditable;
    using SnapShotItemKind::SetVisible;

    Graph* OwnGraph() override;
    // 4: font, place, background mode, alignment, colours and visibility from the
    // block; then the text of the project's display language, when the store has
    // any.
    void LoadResource() override;
    // 7: geometry from the drawable, the binding to the string list, then LoadResource
    // and every row from the fields.
    void RefreshRows() override;
    // 14: rows from `block`, which becomes the element's block; then LoadResource.
    void BuildAttrList(const SnapItemInfo& block) override;
    // 16: parses, then applies the row and shows the result. Returns 1 when the row
    // took a value.
    int SetAttrText(int row, int column, const std::string& text) override;
    // 24: a copy without a parent; the caller owns it.
    std::unique_ptr<SnapShotItem> Clone(int newIds) const override;

    bool StoredVisible() const override;

    // Drawable side: the parent's drawable.
    Graph* GetParentGraph() const override;

    // Forgets the bound resource: id -1, no texts (the name is kept, so that the
    // string binds again once a resource of that name exists), drawable text "Null".
    void Unbind();

    StringRecord& TextStore() { return m_store; }
    const StringRecord& TextStore() const { return m_store; }
    StringItemInfo StringInfo() const { return StringItemInfo::From(m_info); }
    void SetStringInfo(const StringItemInfo& info) { info.StoreInto(m_info); }

protected:
    void StoreVisible(int on) override;

private:
    // Binds the store to the project's string list; true while it is bound.
    bool Bind();
    void FillRows();
    // Text-format flags of the drawable for an alignment byte.
    static unsigned FormatOf(std::uint8_t align);
    // Hands the display language's text to the drawable.
    void ShowText();

    StringRecord m_store;
};
