#include "app/application.h"

#include "files/errorlog.h"

#include <exception>

ZpApplication::ZpApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool ZpApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        LogException(e.what());
    } catch (...) {
        LogException("Unknown exception");
    }
    return false;
}
