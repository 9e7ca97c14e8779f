#include "data/Notifier.h"

#include <cstdio>

namespace {

class TConsoleNotifier final : public INotifier
{
public:
    void Info(const QString& text) override { print("info", text); }
    void Warning(const QString& text) override { print("warning", text); }
    void Error(const QString& text) override { print("error", text); }
    bool Confirm(const QString& text) override
    {
        print("question", text);
        return false;
    }

private:
    static void print(const char* kind, const QString& text)
    {
        std::fprintf(stderr, "quorin %s: %s\n", kind, text.trimmed().toUtf8().constData());
    }
};

TConsoleNotifier g_console;
INotifier* g_current = &g_console;

} // namespace

INotifier& Notifier()
{
    return *g_current;
}

INotifier* SetNotifier(INotifier* notifier)
{
    INotifier* previous = g_current == &g_console ? nullptr : g_current;
    g_current = notifier ? notifier : &g_console;
    return previous;
}
