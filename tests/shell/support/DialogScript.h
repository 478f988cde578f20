#pragma once

#include "ExampleCopy.h"

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <filesystem>

// A program folder inside the example copy, for the main window's settings and layout files.
inline QString programDirectory(const ExampleCopy& example)
{
    const std::string dir = example.filePath("program");
    std::filesystem::create_directories(dir);
    return QString::fromStdString(dir + "/");
}

// Answers the next modal dialog of type `Dialog` with `fill`, from the event loop.
template <typename Dialog, typename Fill>
void whenDialogShows(Fill fill)
{
    QTimer::singleShot(0, [fill] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
                fill(*dialog);
                return;
            }
        }
        QFAIL("the dialog did not show");
    });
}
