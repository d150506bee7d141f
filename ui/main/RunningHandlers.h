#pragma once

class QWidget;

namespace zintu {

// The window's handlers that are running. A close that arrives meanwhile (it can, while a
// dialog runs its own event loop) waits until the last of them has finished its turn.
class RunningHandlers {
  public:
    explicit RunningHandlers(QWidget& window) : window_(window) {}

    // Marks a handler as running for its lifetime.
    class Scope {
      public:
        explicit Scope(RunningHandlers& handlers) : handlers_(handlers) { ++handlers_.count_; }
        ~Scope() { handlers_.Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        RunningHandlers& handlers_;
    };

    bool Any() const { return count_ > 0; }
    // Whether the window may close now; if not, it closes once the last handler has finished.
    bool MayCloseNow();

  private:
    void Leave();

    QWidget& window_;
    int count_ = 0;
    bool closeRequested_ = false;
};

}  // namespace zintu
