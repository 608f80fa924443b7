#pragma once

#include "ShopPlace.h"

#include <QtGlobal>

#include <optional>

struct AppContext;
class Clock;
class MessageService;
class QSettings;
class QWidget;

// How long the about box stays up while the program starts.
constexpr qint64 SplashMs = 1000;

// The shop the per-user settings name (group Database): by default Flicka.mdb in `folder`.
// None, after an error report, when the settings name no shop the program can open.
std::optional<ShopPlace> ChooseShop(QSettings& settings, const QString& folder,
                                    MessageService& messages);

// Opens the database and loads the codes every screen reads. False, after the connection's
// error report, when the database cannot be opened; missing codes and lists are reported
// and the program starts anyway.
bool InitCodes(AppContext& ctx);

// Shows `splash` until SplashMs have passed on the clock's elapsed time, keeping the window
// system's events flowing meanwhile, then closes it.
void ShowSplash(QWidget& splash, const Clock& clock);
