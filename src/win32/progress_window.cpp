#include "win32/progress_window.h"

#include <commctrl.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "win32/modal_window.h"

namespace modsetup::win32 {
namespace {

constexpr UINT_PTR kFollowTimer = 1;
constexpr int kSteps = 1000;

class ProgressWindow final : public ModalWindow {
public:
    ProgressWindow(HWND owner, const front::ProgressShown& shown, const front::TextCodec& codec)
        : ModalWindow(owner, codec.bytes(shown.title), 380, 104) {
        addControl("STATIC", codec.bytes(shown.text), SS_NOPREFIX | SS_ENDELLIPSIS, 12, 12, 356, 18);
        bar_ = addControl(PROGRESS_CLASSA, {}, 0, 12, 36, 356, 18);
        SendMessageA(bar_, PBM_SETRANGE32, 0, kSteps);
        cancel_ =
            addControl("BUTTON", codec.bytes(shown.cancel), WS_TABSTOP | BS_DEFPUSHBUTTON, 278, 66, 90, 26, IDCANCEL);
    }
    void run(const front::BackgroundWork& work) {
        std::thread worker([this, &work] {
            work(
                [this](std::uint64_t done, std::uint64_t total) {
                    done_ = done;
                    total_ = total;
                },
                cancel);
            finished_ = true;
        });
        SetTimer(window_, kFollowTimer, 30, nullptr);
        runModal(cancel_);
        KillTimer(window_, kFollowTimer);
        worker.join();
    }

    std::atomic<bool> cancel{false};

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_TIMER: {
            const std::uint64_t total = total_;
            const std::uint64_t done = std::min<std::uint64_t>(done_, total);
            SendMessageA(bar_, PBM_SETPOS, total == 0 ? 0 : static_cast<WPARAM>(done * kSteps / total), 0);
            if (finished_) end();
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) askToStop();
            return 0;
        case WM_CLOSE: askToStop(); return 0;
        default: return ModalWindow::handleMessage(message, wParam, lParam);
        }
    }
    void askToStop() {
        cancel = true;
        EnableWindow(cancel_, FALSE);
    }

    HWND bar_ = nullptr;
    HWND cancel_ = nullptr;
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<bool> finished_{false};
};

}  // namespace

void runWithProgressWindow(HWND owner, const front::ProgressShown& shown, const front::BackgroundWork& work,
                           const front::TextCodec& codec) {
    ProgressWindow window(owner, shown, codec);
    window.run(work);
}

}  // namespace modsetup::win32
