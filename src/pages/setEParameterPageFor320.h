#pragma once

#include <QDialog>
#include <memory>

class ComparisonSession;
class QButtonGroup;
namespace Ui {
class setEParameterPageFor320;
}

// Chooses the ΔE formula and threshold and writes them to the instrument; accepted once written.
// It keeps no link: the session writes through whichever instrument is connected when OK is pressed.
class setEParameterPageFor320 : public QDialog
{
    Q_OBJECT

public:
    setEParameterPageFor320(ComparisonSession &session, int formula, double threshold, QWidget *parent = nullptr);
    ~setEParameterPageFor320() override;

private slots:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::setEParameterPageFor320> ui;
    QButtonGroup *formulas_ = nullptr;
    ComparisonSession &session_;
};
