#pragma once

#include <QString>

// The program's own help: HTML pages shipped as resources (":/help/<topic>.htm"), shown in one
// help window that every F1 and "帮助" reuses.
class THelpViewer
{
public:
    // Shows the topic's page, or the main page when the topic has none.
    static void ShowTopic(const QString& topic);
    // The resource path of the page that ShowTopic opens for `topic`.
    static QString PageFor(const QString& topic);
};
