// The line monitor's lists as a busy day fills them: every byte of 100,000 measurement frames
// in the raw-byte list and every frame in the frame list. Prints the cost per listed line and
// the memory a line takes.
#include "BenchSupport.h"

#include "dialogs/LineMonitorModel.h"
#include "link/FrameCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kFrames = 100000;
    const QByteArray frame = encodeFrame(225, 52, QByteArray(47, '\x11'));

    RawByteListModel bytes;
    FrameListModel frames;
    const double before = currentResidentMiB();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kFrames; ++i) {
        bytes.append(frame);
        frames.append(frame);
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    const qint64 byteRows = bytes.rowCount();
    std::printf("%d frames of %lld characters: %.0f ms, %.2f us per frame (its bytes and its line)\n",
                kFrames, qint64(frame.size()), ms, ms * 1000.0 / kFrames);
    std::printf("raw-byte list: %lld lines, 1 byte each\n", byteRows);
    std::printf("frame list: %.1f bytes per line (%lld characters of text + offset)\n",
                double(frames.storedBytes()) / frames.rowCount(), qint64(frame.size() - 2));
    std::printf("resident memory grew %.1f MiB\n", currentResidentMiB() - before);
    return 0;
}
