// The screen of a KWin session as a PNG file, taken by KWin itself over its screenshot interface:
//   korvane_kwin_screenshot FILE.png
// KWin writes the raw image into a pipe and says its size and format in its answer.
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QImage>
#include <QVariantMap>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
    return 2;
  }
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return 1;
  QVariantMap results;
  {
    // KWin answers first and then writes the image. The call keeps a copy of the pipe's writing end for
    // as long as it lives, so it has to be gone before the reading can see the end.
    QDBusMessage call = QDBusMessage::createMethodCall("org.kde.KWin", "/org/kde/KWin/ScreenShot2",
                                                       "org.kde.KWin.ScreenShot2", "CaptureActiveScreen");
    call << QVariantMap{{"native-resolution", true}} << QVariant::fromValue(QDBusUnixFileDescriptor(pipeEnds[1]));
    ::close(pipeEnds[1]);
    QDBusPendingReply<QVariantMap> reply = QDBusConnection::sessionBus().asyncCall(call);
    reply.waitForFinished();
    if (reply.isError()) {
      std::fprintf(stderr, "KWin took no screenshot: %s\n", qPrintable(reply.error().message()));
      return 1;
    }
    results = reply.value();
  }
  QFile source;
  if (!source.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return 1;
  const QByteArray pixels = source.readAll();
  const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), results["width"].toInt(),
                     results["height"].toInt(), results["stride"].toInt(),
                     static_cast<QImage::Format>(results["format"].toInt()));
  if (image.isNull() || static_cast<qsizetype>(image.sizeInBytes()) > pixels.size() || !image.save(argv[1])) {
    std::fprintf(stderr, "the screenshot could not be saved\n");
    return 1;
  }
  return 0;
}
