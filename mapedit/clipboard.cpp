#include "mapedit/clipboard.h"

#include "platform/cp1250.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <vector>

namespace {

std::vector<std::string>& Formats()
{
    static std::vector<std::string> formats;
    return formats;
}

QClipboard* Board()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

void CopyOut(const std::string& from, char* to, int size)
{
    const size_t n = std::min(from.size(), size_t(size - 1));
    std::memcpy(to, from.data(), n);
    to[n] = 0;
}

} // namespace

uint32_t RegisterClipboardFormat(const char* name)
{
    if (!name || !*name)
        return 0;
    std::string mime = "application/x-";
    for (const char* p = name; *p; p++)
        mime += *p == '_' ? '-' : char(std::tolower(static_cast<unsigned char>(*p)));
    std::vector<std::string>& f = Formats();
    auto at = std::find(f.begin(), f.end(), mime);
    if (at == f.end())
        at = f.insert(f.end(), mime);
    return uint32_t(at - f.begin()) + 1;
}

std::string ClipboardFormatMime(uint32_t format)
{
    const std::vector<std::string>& f = Formats();
    return format >= 1 && format <= f.size() ? f[format - 1] : std::string();
}

void ClipboardPutText(const std::string& text)
{
    if (QClipboard* board = Board())
        board->setText(QStringFromCp1250(text));
}

void ClipboardPutTextAndFormat(const std::string& text, uint32_t format, const std::string& second)
{
    QClipboard* board = Board();
    if (!board)
        return;
    auto* data = new QMimeData;
    data->setText(QStringFromCp1250(text));
    const std::string mime = ClipboardFormatMime(format);
    if (!mime.empty())
        data->setData(QString::fromStdString(mime), QByteArray(second.data(), qsizetype(second.size())));
    board->setMimeData(data);
}

void ClipboardPutBitmapRect(const QImage& bitmap, int left, int top, int right, int bottom)
{
    QClipboard* board = Board();
    if (!board || right < left || bottom < top)
        return;
    board->setImage(bitmap.copy(left, top, right - left + 1, bottom - top + 1));
}

int ClipboardGetTextAndFormat(char* text, uint32_t format, char* second, int size)
{
    QClipboard* board = Board();
    if (!board || size <= 0)
        return 0;
    const QMimeData* data = board->mimeData();
    if (!data)
        return 0;
    int found = 0;
    if (text && data->hasText()) {
        CopyOut(QStringToCp1250(data->text()), text, size);
        found |= 1;
    }
    const std::string mime = ClipboardFormatMime(format);
    if (second && !mime.empty() && data->hasFormat(QString::fromStdString(mime))) {
        const QByteArray bytes = data->data(QString::fromStdString(mime));
        CopyOut(std::string(bytes.constData(), size_t(bytes.size())), second, size);
        found |= 2;
    }
    return found;
}

// Every table asks on four ticks of sixteen; a foreign owner on X11 makes
// each question a round trip, so the answers are kept until the clipboard
// changes.
int ClipboardHasFormat(uint32_t format)
{
    QClipboard* board = Board();
    if (!board)
        return 0;
    static std::map<uint32_t, int> known;
    static QMetaObject::Connection watch;
    if (!watch) {
        known.clear();
        watch = QObject::connect(board, &QClipboard::dataChanged, [] { known.clear(); });
    }
    if (const auto at = known.find(format); at != known.end())
        return at->second;
    const QMimeData* data = board->mimeData();
    const std::string mime = ClipboardFormatMime(format);
    const int bits = !data
        ? 0
        : (data->hasText() ? 1 : 0) | (!mime.empty() && data->hasFormat(QString::fromStdString(mime)) ? 2 : 0);
    known[format] = bits;
    return bits;
}
