#pragma once
// Layer 4, the examination: the main examination form Frmftyaj with its title screen
// and idle cycle, answer sheet, question display, keypad answering, countdown, hand-in
// with the result, and the review of wrong answers; one .cpp per concern. It may use
// the platform layer, the shared module and the dialogs; the start-up creates it.

#include <QDateTime>
#include <QString>
#include <array>

#include "platform/ui/form.h"

namespace ui {
class ImageBox;
class Label;
class Line;
class Timer;
}  // namespace ui

class Frmquit1;

namespace shared {
class Module1;
}

inline const QString kProductTitle = QStringLiteral("Derravance");
// The question type that marks a multiple-choice question.
inline const QString kMultipleChoice = QStringLiteral("多选题");

class Frmftyaj : public ui::Form {
    Q_OBJECT

public:
    explicit Frmftyaj(shared::Module1& module);
    ~Frmftyaj() override;

    // State shared by the form's procedures.
    QString PaperState;
    QString ReviewState;
    QDateTime EndTime;
    // The monotonic reading at which the exam ends. The countdown runs on it rather
    // than on EndTime, so that a step of the wall clock neither ends nor lengthens it.
    qint64 EndMonotonicMs = 0;
    qint32 IdOffset = 0;
    qint32 IdleTicks = 0;

    // Controls (arrays indexed as designed: Label6 0..6, Label7 and Image1 1..6).
    ui::Label* Label1 = nullptr;
    ui::Label* Label2 = nullptr;
    ui::Label* Label3 = nullptr;
    ui::Label* Label4 = nullptr;
    ui::Label* Label5 = nullptr;
    std::array<ui::Label*, 7> Label6{};
    std::array<ui::Label*, 7> Label7{};
    ui::Label* Label8 = nullptr;
    ui::Label* Label9 = nullptr;
    ui::Label* Label10 = nullptr;
    ui::Label* Label11 = nullptr;
    ui::Label* Label12 = nullptr;
    ui::Label* Label13 = nullptr;
    ui::Label* Label14 = nullptr;
    ui::Label* Label15 = nullptr;
    std::array<ui::ImageBox*, 7> Image1{};
    ui::ImageBox* Image2 = nullptr;
    ui::ImageBox* Image3 = nullptr;
    ui::Line* Line1 = nullptr;
    ui::Line* Line2 = nullptr;
    ui::Timer* Timer1 = nullptr;
    ui::Timer* Timer2 = nullptr;

    // Events.
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Timer1_Timer();
    void Timer2_Timer();

    // Procedures.
    void GetOpen();
    void GetSave();
    void GetForms();
    void GetPicture(const QString& name);
    // True when the sheet was handed in; false when it failed (reported, nothing
    // stored, the answers still pending) or another end of the exam is running.
    bool Gets1();
    void GetOpen1();
    void GetForms1();

protected:
    void CreateControls() override;

private:
    // Exam screen, question display and review.
    // Left edge so that the label stands centred in the window's inner width.
    void CentreLabel(ui::Label* label);
    // The paper heading and the candidate line of an exam or a review, centred.
    void SetHeadings();
    // The current row of SheetRs on screen; the review adds the correct answers and
    // numbers the question as in the exam.
    void ShowRow(bool review);

    // Idle cycle.
    qint32 DrawPaperNumber();
    bool PaperIsOffered();
    void StartCountdown();

    // Countdown: what is left of the exam, below zero once it is over.
    qint64 TimeLeftMs() const;

    // Keyboard.
    enum class TitleReturn { AfterExam, LeavingReview };
    bool OnTitleScreen() const;
    void AnsweringKey(int& keyCode);
    void ReviewKey(int& keyCode);
    void NextQuestion();
    void PreviousQuestion();
    void ChooseOption(int option);
    void EndExamPrompt();
    void ExitPrompt();
    void ReviewPrompt();
    void ReturnToTitle(TitleReturn how);
    // The photograph over the question area, the product title centred, the maker line.
    void ShowTitleHeading();

    shared::Module1& m_;
    // The end of an exam runs once: set while Gets1 runs, counted at every start of it.
    bool handingIn_ = false;
    int examEnds_ = 0;
    // The end-exam prompt while it is up, so that a time-out can close it.
    Frmquit1* endPrompt_ = nullptr;
    // From the time-out until the sheet is handed in: no key changes it, so that a
    // hand-in retried at the next ticks stores it as the time left it.
    bool answersFinal_ = false;
};
