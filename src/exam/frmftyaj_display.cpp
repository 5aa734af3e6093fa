// Puts the current row of the answer sheet on the exam screen: type, text, options,
// chosen markers, number and the question's picture fitted into the frame.
#include <exception>
#include <stdexcept>

#include "exam/frmftyaj.h"
#include "platform/db/recordset.h"
#include "platform/numbers.h"
#include "platform/system.h"
#include "platform/ui/image_box.h"
#include "platform/ui/label.h"
#include "shared/module1.h"

namespace {

// Blanks only, as picture names are padded; other white space stays.
QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) ++first;
    while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
    return text.mid(first, last - first);
}

// Floating division that fails where the arithmetic has no answer, as the fitting
// must end the display rather than place a picture at infinity.
double Quotient(double dividend, double divisor) {
    if (divisor == 0) throw std::domain_error("division by zero in the picture fitting");
    return dividend / divisor;
}

double Whole(double twips) {
    return platform::RoundHalfEven(twips);
}

QString CorrectAnswerLine(const db::Value& key) {
    const QString mask = key.ToTextOrEmpty();
    QString numbers;
    for (int i = 1; i <= 6; ++i) {
        if (mask.mid(i - 1, 1) == QLatin1String("1")) {
            numbers += QLatin1Char(' ') + QString::number(i) + QStringLiteral("、");
        }
    }
    return QStringLiteral("正确答案： ") + numbers;
}

// Places a freshly loaded picture (natural size, stretching off) below the question
// text inside the frame, scaled down by height or by width when it does not fit.
void FitPicture(ui::ImageBox& image, const ui::Label& text, const ui::Label& frame) {
    const double ph = Whole(image.Height());
    const double pw = Whole(image.Width());
    const double ah = Whole(static_cast<double>(frame.Height()) - text.Height() -
                            (static_cast<double>(text.Top()) - frame.Top()) - 250);
    const double aw = Whole(static_cast<double>(frame.Width()) - 50);

    bool byHeight = false;
    bool byWidth = false;
    if (ah < ph && aw < pw) {
        const double rh = Quotient(ph, ah);
        const double rw = Quotient(pw, aw);
        byWidth = rw > rh;
        byHeight = !byWidth;
    } else {
        byHeight = ah < ph;
        byWidth = aw < pw;
    }

    const double centre =
        static_cast<double>(frame.Left()) + static_cast<double>(frame.Width()) / 2;
    const double frameBottom = static_cast<double>(frame.Top()) + frame.Height();
    if (byHeight) {
        image.SetStretch(true);
        image.SetTop(static_cast<double>(text.Top()) + text.Height() + 150);
        image.SetHeight(ah);
        image.SetWidth(pw / Quotient(ph, ah));
        image.SetLeft(centre - static_cast<double>(image.Width()) / 2);
    } else if (byWidth) {
        image.SetStretch(true);
        image.SetWidth(aw);
        image.SetHeight(ph / Quotient(pw, aw));
        image.SetLeft(centre - static_cast<double>(image.Width()) / 2);
        image.SetTop(frameBottom - image.Height() - 150);
    } else {
        image.SetTop(frameBottom - image.Height() - 150);
        image.SetLeft(centre - static_cast<double>(image.Width()) / 2 - 10);
    }
}

}  // namespace

void Frmftyaj::GetForms() {
    ShowRow(false);
}

void Frmftyaj::GetForms1() {
    ShowRow(true);
}

void Frmftyaj::ShowRow(bool review) {
    try {
        const db::Recordset& rs = *m_.SheetRs;
        const QString type = rs.Field(QStringLiteral("tx")).ToText();
        Label5->SetCaption(type);
        Label14->SetVisible(type == kMultipleChoice);
        Label2->SetCaption(QStringLiteral("    ") + rs.Field(QStringLiteral("tm")).ToTextOrEmpty());
        Label6[0]->SetCaption(review ? CorrectAnswerLine(rs.Field(QStringLiteral("da")))
                                     : QString());
        for (int i = 1; i <= 6; ++i) {
            Label6[i]->SetCaption(rs.Field(QStringLiteral("da%1").arg(i)).ToTextOrEmpty());
        }
        const QString chosen = rs.Field(QStringLiteral("sjda")).ToTextOrEmpty();
        for (int i = 1; i <= 6; ++i)
            Image1[i]->SetVisible(chosen.mid(i - 1, 1) == QLatin1String("1"));
        for (int i = 1; i <= 6; ++i) Label7[i]->SetVisible(!Label6[i]->Caption().isEmpty());
        if (review) {
            const auto id = static_cast<qint64>(Whole(rs.Field(QStringLiteral("id")).ToDouble()));
            Label11->SetCaption(QString::number(id - IdOffset));
        } else {
            Label11->SetCaption(QString::number(rs.AbsolutePosition()));
        }
        GetPicture(rs.Field(QStringLiteral("pcxname")).ToTextOrEmpty());
    } catch (const std::exception& e) {
        m_.ReportError(&e);
    }
}

void Frmftyaj::GetPicture(const QString& name) {
    Image3->SetAppearance(0);
    Image3->SetBorderStyle(0);
    if (!name.isEmpty() && TrimBlanks(name).size() > 4) {
        // Only the first five characters name the file, blanks included.
        const QString path = platform::JoinPath(
            m_.AppFolder, QStringLiteral("\\tp2\\") + name.left(5) + QStringLiteral(".gif"));
        if (platform::IsPlainFile(path)) {
            Image3->SetStretch(false);
            Image3->SetAppearance(1);
            Image3->SetBorderStyle(1);
            Image3->LoadPicture(path);
            FitPicture(*Image3, *Label2, *Label3);
            Image3->Refresh();
            return;
        }
    }
    Image3->SetStretch(false);
    Image3->LoadPicture(QString());
}
