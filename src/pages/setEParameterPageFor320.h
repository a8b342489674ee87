#pragma once

#include <QDialog>
#include <memory>

class LinkPort;
class QButtonGroup;
namespace Ui {
class setEParameterPageFor320;
}

// Chooses the ΔE formula and threshold and writes them to the instrument; accepted once written.
class setEParameterPageFor320 : public QDialog
{
    Q_OBJECT

public:
    // port may be null (no instrument); its current link is asked for when writing.
    setEParameterPageFor320(LinkPort *port, bool chinese, int formula, double threshold, QWidget *parent = nullptr);
    ~setEParameterPageFor320() override;

    // Checks the threshold (0.1 to 50, bounds included) and sends it with the formula under the
    // link lock. Every refusal and failure is shown over parent, in Chinese when chinese is set.
    static bool writeDeltaEParameter(QWidget *parent, LinkPort *port, bool chinese, int formula,
                                     const QString &thresholdText);

private slots:
    void on_Okbtn_clicked();
    void on_Cancelbtn_clicked();

private:
    std::unique_ptr<Ui::setEParameterPageFor320> ui;
    QButtonGroup *formulas_ = nullptr;
    LinkPort *port_;
    bool chinese_;
};
