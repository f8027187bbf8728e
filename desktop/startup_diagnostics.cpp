#include "desktop/startup_diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace desktop {
namespace {

constexpr char kNoDisplay[] =
    "zimarela: no display can be reached; start the game from a desktop session.\n";

// One message Qt reported while the application started, with copies of
// its context's strings: Qt promises nothing about how long they live.
struct HeldMessage {
  QtMsgType type;
  QByteArray file;
  int line;
  QByteArray function;
  QByteArray category;
  QString text;
};

// What Qt reports while the application starts, held back until it is
// clear whether the start succeeds. Qt's X11 event reader already runs on
// a thread of its own inside the QApplication constructor and may report
// too, so every use takes the lock.
class HeldMessages {
 public:
  void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard lock(mutex_);
    messages_.push_back(
        {type, context.file, context.line, context.function, context.category, text});
  }

  // The first line of the first warning or error from the platform layer,
  // or nothing if there is none. Qt says why a platform failed (the display
  // that refused, the platform that is not installed) before it gives up,
  // and where it falls back from one platform to another, the first failure
  // is the one the user or the session asked for. Qt's general remarks go
  // to the default category and name no cause: Qt 6.8 warns there first
  // about a locale that is not UTF-8.
  QString Cause() const {
    const std::lock_guard lock(mutex_);
    for (const HeldMessage& message : messages_) {
      if ((message.type == QtWarningMsg || message.type == QtCriticalMsg) &&
          message.category != "default") {
        return message.text.section(QLatin1Char('\n'), 0, 0);
      }
    }
    return {};
  }

  // Passes every held message on to the handler now installed.
  void Release() {
    std::vector<HeldMessage> messages;
    {
      const std::lock_guard lock(mutex_);
      messages.swap(messages_);
    }
    for (const HeldMessage& message : messages) {
      const QMessageLogContext context(Pointer(message.file), message.line,
                                       Pointer(message.function), Pointer(message.category));
      qt_message_output(message.type, context, message.text);
    }
  }

 private:
  // A context string Qt left out stays left out.
  static const char* Pointer(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
  }

  mutable std::mutex mutex_;
  std::vector<HeldMessage> messages_;
};

HeldMessages& Held() {
  static HeldMessages held;
  return held;
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // Qt cannot go on without a platform; nothing it built is worth
    // tearing down, so leave at once without running destructors. Qt's
    // own fatal text only says that no platform could start, so the line
    // that says why comes from what it reported before.
    std::fputs(kNoDisplay, stderr);
    const QString cause = Held().Cause();
    if (!cause.isEmpty()) std::fprintf(stderr, "%s\n", cause.toLocal8Bit().constData());
    std::_Exit(1);
  }
  Held().Hold(type, context, text);
}

bool NamesADisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  if (!NamesADisplay()) {
    std::fputs(kNoDisplay, stderr);
    return nullptr;
  }
  const QtMessageHandler previous = qInstallMessageHandler(&HoldMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  Held().Release();
  return application;
}

}  // namespace desktop
