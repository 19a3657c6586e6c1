#include "files/errorlog.h"

#include "image/rsimage.h"
#include "platform/cp1250.h"

#include <QDir>
#include <QString>

#include <cmath>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

std::string FormatErrorLogLine(const std::tm& local, std::string_view text)
{
    char head[128];
    std::snprintf(head, sizeof head, "<LOG TIME=%i.%i.%i %i:%i:%i ZEP2008_v%i: ", local.tm_mday, local.tm_mon + 1,
        local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, RSKEY);
    std::string line = head;
    line.append(text.substr(0, ERROR_LOG_MESSAGE_MAX));
    line.append(">\n");
    return line;
}

bool AppendErrorLog(std::string_view text, const char* file)
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    const std::string line = FormatErrorLogLine(local, text);

    int fd = ::open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    bool ok = done == line.size();
    return ::close(fd) == 0 && ok;
}

static void DebugOutput(std::string_view text)
{
    std::fprintf(stderr, "%.*s\n", int(text.size()), text.data());
}

void LogException(std::string_view message)
{
    std::string_view cut = message.substr(0, ERROR_LOG_MESSAGE_MAX);
    AppendErrorLog(cut);
    DebugOutput(cut);
}

int MathErrorHook(MathErrorRecord& error)
{
    const std::string_view name = error.name ? error.name : "";
    AppendErrorLog(std::string("MATHERR ").append(name));
    DebugOutput(name);
    if (error.type == MathErrorKind::Domain && name == "sqrt")
        error.retval = 1.0;
    return 1;
}

double SafeSqrt(double x)
{
    if (x < 0) {
        MathErrorRecord error { MathErrorKind::Domain, "sqrt", x, 0.0, std::sqrt(x) };
        MathErrorHook(error);
        return error.retval;
    }
    return std::sqrt(x);
}

bool ForceDirectoryA(const char* path)
{
    if (!path || !*path)
        return false;
    QString folder = QStringFromCp1250(path);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir().mkpath(folder);
}

int RunGuarded(const std::function<int()>& body, const std::function<void(const std::string&)>& show)
{
    try {
        return body();
    } catch (const std::exception& e) {
        show(e.what());
    } catch (...) {
        show("Unknown exception");
    }
    return 1;
}
