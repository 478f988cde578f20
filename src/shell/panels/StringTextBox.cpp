#include "shell/panels/StringTextBox.h"

#include "strings/RtfClipboard.h"

#include <QMimeData>
#include <QTextDocumentFragment>

#include <optional>
#include <string>

namespace {

// The first RTF format that `source` holds, in order of preference.
std::optional<std::string> rtfOf(const QMimeData* source)
{
    for (const char* type : RtfClipboard::kRtfMimeTypes) {
        const QString format = QString::fromLatin1(type);
        if (source->hasFormat(format)) {
            return source->data(format).toStdString();
        }
    }
    return std::nullopt;
}

} // namespace

StringTextBox::StringTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
}

QMimeData* StringTextBox::mimeDataFor(const QString& text)
{
    const RtfClipboard::Copied copied = RtfClipboard::copy(text.toStdU16String());
    auto* data = new QMimeData;
    data->setText(QString::fromStdU16String(copied.plainText));
    const QByteArray rtf = QByteArray::fromStdString(copied.rtf);
    for (const char* type : RtfClipboard::kRtfMimeTypes) {
        data->setData(QString::fromLatin1(type), rtf);
    }
    return data;
}

QString StringTextBox::pastedText(const QMimeData* source)
{
    if (!source) {
        return {};
    }
    const std::u16string plain = source->hasText() ? source->text().toStdU16String() : u"";
    return QString::fromStdU16String(RtfClipboard::paste(rtfOf(source), plain));
}

bool StringTextBox::holdsText(const QMimeData* source)
{
    return source && (source->hasText() || rtfOf(source).has_value());
}

QMimeData* StringTextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        return QTextEdit::createMimeDataFromSelection();
    }
    return mimeDataFor(QTextDocumentFragment(cursor).toPlainText());
}

bool StringTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return holdsText(source);
}

void StringTextBox::insertFromMimeData(const QMimeData* source)
{
    if (holdsText(source)) {
        textCursor().insertText(pastedText(source));
    }
}
