#pragma once

class MessageService;
class QLineEdit;
class QSettings;
class QTableWidget;
class QWidget;

// Grid widths are kept in twips; the screen has 15 twips to a pixel.
constexpr int TwipsPerPixel = 15;
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

// Asks before a form with unsaved changes closes. `discardAnswer` becomes the button pressed,
// or AnswerYes when nothing changed; on AnswerYes the form closes.
void ConfirmDiscard(MessageService& messages, QWidget& form, bool changed, int& discardAnswer);

// Selects the whole text of a box, so typing replaces it.
void SelectAllText(QLineEdit* box);

// Column widths of a grid, in twips, under group = the grid's objectName and key = the
// column's heading. Columns without a heading are neither saved nor read.
void SaveColumnWidths(const QTableWidget& grid, QSettings& settings);
void ReadColumnWidths(QTableWidget& grid, QSettings& settings);
