// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Collects the addresses the program hands to the system instead of letting a
// browser open them, for as long as a UrlHandlerScope holds it registered.

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <utility>

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class UrlHandlerScope {
public:
    // Web addresses unless told otherwise ("file" for documents the program
    // writes and asks the desktop to open).
    explicit UrlHandlerScope(UrlCatcher* catcher,
                             QStringList caught = {QStringLiteral("http"), QStringLiteral("https")})
        : schemes(std::move(caught)) {
        for (const auto& scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, catcher, "open");
    }
    ~UrlHandlerScope() {
        for (const auto& scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    UrlHandlerScope(const UrlHandlerScope&) = delete;
    UrlHandlerScope& operator=(const UrlHandlerScope&) = delete;

private:
    const QStringList schemes;
};
