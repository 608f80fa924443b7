#pragma once

#include "ShopPlace.h"

#include <QString>

#include <optional>

class QSettings;

// What the per-user settings say about the shop vormel-launch starts.
struct SavedShop {
    // None: ask where the shop is.
    std::optional<ShopPlace> place;
    // Why the settings name no usable shop; empty when nothing is set yet.
    QString reason;
};

// The group Database: the server it names, or the folder in Database/Folder while it still
// holds Flicka.mdb. A file that went missing is never made again unasked.
SavedShop readSavedShop(QSettings& settings);

// Where the user wants the shop to be, as the first-run dialog asks it.
struct ShopRequest {
    enum class Kind { NewShop, DemoShop, ExistingFolder, Server };
    Kind kind = Kind::NewShop;
    QString folder;
    // New and demo shops only; may be empty.
    QString shopName;
    // Server only: postgresql://...
    QString address;
};

// Makes the new shop or proves that the chosen one opens, and only then stores its place in
// the settings. None, with the reason in `error`, when the folder is missing or cannot be
// written, holds no shop (or one already, for a new shop), or the server cannot be reached or
// holds no shop; the settings are then as they were.
std::optional<ShopPlace> setUpShop(const ShopRequest& request, QSettings& settings, QString& error);

// The vormel program: beside `ownFolder` (where vormel-launch itself is) first, then on PATH.
// Empty when there is none.
QString findVormel(const QString& ownFolder);

// The folder vormel starts in: the shop's own, or the home folder for a shop on a server.
QString startFolder(const ShopPlace& place);
