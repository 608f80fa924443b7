#pragma once

#include "catalogue.h"
#include "productboxes.h"

#include <QList>
#include <QString>
#include <QStringList>

// The product form's checks. Each returns the message of the first rule broken, or an empty
// text when the boxes pass.

// What follows a refused item ID in its message.
inline const QString NotValidItemIDText =
    QStringLiteral(" is not a valid Item ID! It must contain a letter and numbers.");

// A number as a clerk might type one: digits with an optional sign and decimal point.
bool IsNumericText(const QString& text);

// An ID a new copy may take: letters and digits only, at least one of each. Blanks or
// punctuation inside an ID would make it hard to type and scan at the counter.
bool IsWellFormedItemID(const QString& itemID);

// Item ID (not a plain number), purchase date, purchase price, retail price, status.
QString CheckItemBoxes(const ItemBoxes& boxes, const QStringList& statusNames);

// Rate code (a known category), purchase price, retail price.
QString CheckProductBoxes(const ProductBoxes& boxes, const QList<CategoryRec>& categories);
