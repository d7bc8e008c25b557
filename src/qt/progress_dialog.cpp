#include "qt/progress_dialog.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <thread>

#include "qt/qt_text.h"

namespace modsetup::qt {
namespace {

class ProgressDialog final : public QDialog {
public:
    ProgressDialog(QWidget* owner, const front::ProgressShown& shown) : QDialog(owner) {
        setWindowTitle(toQString(shown.title));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        auto* text = new QLabel(toQString(shown.text), this);
        text->setTextFormat(Qt::PlainText);
        bar_ = new QProgressBar(this);
        bar_->setRange(0, kSteps);
        bar_->setAccessibleName(text->text());
        cancel_ = new QPushButton(toQString(shown.cancel), this);
        layout->addWidget(text);
        layout->addWidget(bar_);
        layout->addWidget(cancel_, 0, Qt::AlignRight);
        connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
        setMinimumWidth(360);
    }
    std::atomic<bool> cancel{false};
    std::atomic<std::uint64_t> doneSoFar{0};
    std::atomic<std::uint64_t> ofTotal{0};
    std::atomic<bool> finished{false};

    void follow() {
        const std::uint64_t of = ofTotal;
        bar_->setValue(of == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(doneSoFar, of) * kSteps / of));
        if (finished) accept();
    }
    // The dialog closes only when the work has ended: asking to close cancels it.
    void reject() override {
        cancel = true;
        cancel_->setEnabled(false);
        if (finished) QDialog::reject();
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (!finished) {
            event->ignore();
            reject();
        }
    }

private:
    static constexpr int kSteps = 1000;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

}  // namespace

void runWithProgressDialog(QWidget* owner, const front::ProgressShown& shown, const front::BackgroundWork& work) {
    ProgressDialog dialog(owner, shown);
    std::thread worker([&dialog, &work] {
        work(
            [&dialog](std::uint64_t done, std::uint64_t total) {
                dialog.doneSoFar = done;
                dialog.ofTotal = total;
            },
            dialog.cancel);
        dialog.finished = true;
    });
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &dialog, [&dialog] { dialog.follow(); });
    timer.start(30);
    dialog.exec();
    worker.join();
}

}  // namespace modsetup::qt
