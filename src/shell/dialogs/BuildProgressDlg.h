#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a build: the phase text, a bar over the build's range and the
// percentage "%d%%" (position × 100 / total), with a Cancel button for work that can stop.
// It never runs its own event loop: the owner shows it, feeds it and hides it. Cancel, Escape
// and the window's close button all ask to cancel (cancelRequested()); the window stays until
// its owner hides it, because the work still has to come to a stop.
class BuildProgressDlg : public QDialog
{
    Q_OBJECT

public:
    explicit BuildProgressDlg(QWidget* parent = nullptr);

    // A new run: empty phase, 0 of 0..100, Cancel offered when `cancellable`.
    void start(const QString& title, bool cancellable);
    void setPhase(const QString& text);
    // The bar's range; an empty or reversed range counts as lower..lower+1.
    void setRange(int lower, int upper);
    void setPosition(int position);
    // Items of the phase done of its total ("120 / 1000" after the phase text) until the
    // next phase.
    void setItems(int done, int total);

    // The percentage shown for `position` in lower..upper, clamped to 0..100.
    static int percentOf(int lower, int upper, int position);

    bool isCancelRequested() const { return m_cancelRequested; }

    QLabel* phaseLabel() const { return m_phase; }
    QLabel* percentLabel() const { return m_percent; }
    QProgressBar* bar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    // The user asked to cancel (once per run).
    void cancelRequested();

public slots:
    // What Cancel, Escape and the close button do: asks to cancel when the run can be.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPosition();

    QLabel* m_phase;
    QProgressBar* m_bar;
    QLabel* m_percent;
    QPushButton* m_cancel;
    QString m_phaseText;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    int m_itemsDone = 0;
    int m_itemsTotal = 0;
    bool m_cancellable = false;
    bool m_cancelRequested = false;
};
