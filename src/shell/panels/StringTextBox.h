#pragma once

#include <QTextEdit>

class QMimeData;

// The string text box of the resource panel. Copying offers the selected text as plain text
// and, under every RTF clipboard format, as the RTF that keeps each script in a fitting font;
// pasting prefers the clipboard's RTF over its plain text and inserts the text at the caret.
class StringTextBox : public QTextEdit
{
    Q_OBJECT

public:
    explicit StringTextBox(QWidget* parent = nullptr);

    // What copying `text` puts on the clipboard: "text/plain" and the RTF. Owned by the caller.
    static QMimeData* mimeDataFor(const QString& text);
    // The text that pasting `source` inserts: that of its RTF when it holds readable RTF,
    // else its plain text.
    static QString pastedText(const QMimeData* source);
    // True when `source` holds plain text or RTF.
    static bool holdsText(const QMimeData* source);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
