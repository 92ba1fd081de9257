// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "calc/messagetexts.h"

#include "zelmora/version.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Zelmora3", text);
}

} // namespace

QString refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Frequency:
        return tr("Ошибка в частоте!");
    case Refusal::CoreY:
        return tr("Некоректное значение y!");
    case Refusal::CoreY1:
        return tr("Некоректное значение y1!");
    case Refusal::CoreB:
        return tr("Некоректное значение b!");
    case Refusal::CoreH:
        return tr(" Некоректное значение h!"); // with its leading blank
    }
    return {};
}

QString aboutText()
{
    return tr("Программа для расчёта трансформаторов\n") + QStringLiteral(ZELMORA_BANNER)
        + tr("\nhttps://zelmora.example.org\ne-mail: zelmora@example.org\nZelmora "
             "developers\n2026");
}

QString helpText()
{
    return tr("В разработке");
}

QString supportText()
{
    return tr("Желающие поддержать программу материально могут\n"
              "выслать любую сумму денег на следующие кошельки \n"
              "WebMoney:\n"
              "_________________________________\n"
              "R000000000000\n"
              "Z000000000000\n"
              "E000000000000\n"
              "\n"
              "Спасибо!");
}

QString exitQuestionText()
{
    return tr("Документ был изменён.");
}

QString exitQuestionDetail()
{
    return tr("Хотите сохранить изменения перед выходом?");
}
