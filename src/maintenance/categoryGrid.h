#pragma once

#include <QTableView>

class CategoryModel;

// The rate table's grid: the eight columns of the rates, amount cells that take only amounts,
// and a way for the form to finish the cell being typed in before it acts.
class CategoryGrid : public QTableView {
    Q_OBJECT

public:
    explicit CategoryGrid(QWidget* parent = nullptr);

    void setCategoryModel(CategoryModel* model);
    // Hands the text of an open cell editor to the model and closes the editor.
    void finishEditing();
    // Starts typing in the first column of `row`.
    void editRow(int row);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void showColumns();
    void returnTo(int row);

    CategoryModel* m_model = nullptr;
};
