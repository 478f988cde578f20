#pragma once

#include "ExampleCopy.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <filesystem>
#include <memory>

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

// Answers the first dialog of type `Dialog` that shows within `timeoutMs`, from the event loop:
// for a dialog that comes once work on a worker thread has ended.
template <typename Dialog, typename Fill>
void whenDialogAppears(Fill fill, int timeoutMs = 60000)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(timer, &QTimer::timeout, [timer, fill, waited, timeoutMs] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                fill(*dialog);
                return;
            }
        }
        if (waited->hasExpired(timeoutMs)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}
