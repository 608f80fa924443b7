#pragma once

#include "catalogue.h"

#include <QList>
#include <QString>

// The description of the category whose CategoryID is exactly `id`; empty when none is.
QString CategoryDescription(const QList<CategoryRec>& categories, const QString& id);
