// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#pragma once

#include <QMainWindow>

class QLineEdit;
class QString;
enum class CoreShapeId;
enum class CoreMaterialId;
enum class LogColour;
struct LfPassResult;

namespace Ui {
class Zelmora3;
}

// The program's one window. Every user action arrives as one of its slots, which read
// the widgets, call the plain rules of design/ and calc/, and write the widgets back.
class Zelmora3 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Zelmora3(QWidget *parent = nullptr);
    ~Zelmora3() override;

private slots:
    // The order of these slots is the order of the window's meta-object; keep it.
    void on_lineEdit_13_editingFinished();
    void on_lineEdit_10_editingFinished();
    void on_lineEdit_9_editingFinished();
    void on_lineEdit_8_editingFinished();
    void on_action_11_activated();
    void on_action_20_activated();
    void on_action_7_activated();
    void on_action_29_activated();
    void on_action_19_activated();
    void on_action_18_activated();
    void on_action_17_activated();
    void on_action_26_activated();
    void on_action_25_activated();
    void on_action_24_activated();
    void on_action_22_activated();
    void on_action_23_activated();
    void on_action_31_activated();
    void on_checkBox_3_stateChanged(int);
    void on_checkBox_2_stateChanged(int);
    void on_pushButton_clicked();
    void on_checkBox_stateChanged(int);
    void on_pushButton_2_clicked();
    void on_comboBox_activated(int index);
    void on_lineEdit_editingFinished();
    void on_action_4_activated();
    void on_action_21_activated();
    void on_action_30_activated();
    void on_action_9_activated();
    void on_action_8_activated();
    void on_action_5_activated();
    void on_action_10_activated();
    void on_spinBox_valueChanged(int);
    void add_status_Bar();

private:
    void applyStartContents();
    void log(LogColour colour, const QString &text);
    void refuse(QLineEdit *field, const QString &message);
    void acceptDimension(QLineEdit *field, float *dimension, const QString &message);
    void showCoreDerived(float y, float y1, float b, float h);
    void showTypeFrequency();
    void showCorePicture(const char *path);
    void chooseShape(CoreShapeId shape);
    void chooseMaterial(CoreMaterialId material);
    void applyPass(const LfPassResult &result);
    void nameForAssistiveTech();
    void nameFrequencyField();
    void describeCorePicture();

    Ui::Zelmora3 *ui;
};
