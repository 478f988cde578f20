// A window's texts with one fault each for the translation check (never compiled).
#include <QCoreApplication>
#include <QWidget>

class Panel : public QWidget
{
    Q_OBJECT

public:
    Panel()
    {
        setWindowTitle(tr("面板"));                    // translated
        setToolTip(tr("共 %1 项，%2 已选"));           // translation lost %2
        setAccessibleName(tr("新的文本"));             // missing from the catalogue
        setStatusTip(tr("未完成"));                    // unfinished
        const char* kept = QT_TRANSLATE_NOOP("Panel", "保留" "的文本");
        setObjectName(QStringLiteral("未经翻译"));      // outside tr()
        /* "注释里的文本" is no literal */
        setWhatsThis(QCoreApplication::translate("Panel", "说明"));
    }
};
