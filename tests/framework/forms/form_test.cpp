// Forms: their life, modal runs and posted messages.
#include <gtest/gtest.h>

#include "forms_fixture.h"
#include "framework/forms/extra_controls.h"
#include "framework/forms/form.h"
#include "framework/forms/standard_controls.h"
#include "framework/forms/user_input.h"

namespace trx::testing {
namespace {

class TProbeForm;
TProbeForm* fmProbe = nullptr;

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* AOwner) : TForm(AOwner) {
        SetName("fmProbe");
        OnCreate = [this](TObject*) { globalSetAtCreate = fmProbe == this; };
        OnDestroy = [this](TObject*) {
            destroyedWhole = okButton != nullptr && okButton->Caption() == "OK";
            ++destroyCount;
        };
        okButton = new TButton(this);
        okButton->SetName("buOk");
        okButton->SetCaption("OK");
        okButton->ModalResult = mrOk;
        okButton->SetParent(this);
    }
    bool globalSetAtCreate = false;
    bool destroyedWhole = false;
    static inline int destroyCount = 0;
    TButton* okButton = nullptr;
};

class FormTest : public FormsTest {
protected:
    FormTest() { TProbeForm::destroyCount = 0; }
    TForm* NewNamedForm(const std::string& Name) {
        TForm* f = NewForm<TForm>(Application());
        f->SetName(Name);
        return f;
    }
};

TEST_F(FormTest, CreateFormSetsTheGlobalBeforeOnCreateAndFreeRunsOnDestroyWhileWhole) {
    Application()->CreateForm(fmProbe);
    ASSERT_NE(fmProbe, nullptr);
    EXPECT_TRUE(fmProbe->globalSetAtCreate);
    EXPECT_EQ(fmProbe->Owner(), Application());
    EXPECT_EQ(Screen()->FormCount(), 1);
    FreeAndNil(fmProbe);
    EXPECT_EQ(fmProbe, nullptr);
    EXPECT_EQ(TProbeForm::destroyCount, 1);
    EXPECT_EQ(Screen()->FormCount(), 0);

    // Resetting the application frees its forms the same way.
    Application()->CreateForm(fmProbe);
    TProbeForm* probe = fmProbe;
    ResetApplication();
    EXPECT_EQ(TProbeForm::destroyCount, 2);
    EXPECT_NE(probe, nullptr);
    fmProbe = nullptr;
}

TEST_F(FormTest, OnCreateFailureIsShownAndTheFormStillExists) {
    struct TFailing : TForm {
        explicit TFailing(TComponent* o) : TForm(o) {
            OnCreate = [](TObject*) { throw Exception("Cannot load styles"); };
        }
    };
    TFailing* f = nullptr;
    Application()->CreateForm(f);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{"Cannot load styles."}));
}

TEST_F(FormTest, OnShowFiresOnEveryShowAndCloseHidesAfterTheQuestions) {
    TForm* f = NewNamedForm("fmMain");
    f->OnShow = Logger("show");
    f->OnHide = Logger("hide");
    bool canClose = false;
    f->OnCloseQuery = [&](TObject*, bool& c) {
        log.push_back("closequery");
        c = canClose;
    };
    f->OnClose = [&](TObject*, TCloseAction& a) {
        log.push_back("close");
        EXPECT_EQ(a, TCloseAction::caHide);
    };
    f->Show();
    f->Show(); // already visible: no second OnShow
    f->Close();
    EXPECT_TRUE(f->Visible());
    canClose = true;
    f->Close();
    EXPECT_FALSE(f->Visible());
    f->Show();
    EXPECT_EQ(log, (std::vector<std::string>{"show", "closequery", "closequery", "close", "hide", "show"}));
    EXPECT_EQ(Screen()->ActiveForm(), f);
}

TEST_F(FormTest, CloseWithCaFreeReleasesTheFormFromTheMessageLoop) {
    TForm* f = NewNamedForm("fmGone");
    f->OnClose = [](TObject*, TCloseAction& a) { a = TCloseAction::caFree; };
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->Show();
    f->Close();
    EXPECT_FALSE(destroyed); // not inside the handler that closed it
    Application()->ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen()->FormCount(), 0);
    EXPECT_EQ(Screen()->ActiveForm(), nullptr);
}

TEST_F(FormTest, ClosingTheMainFormTerminatesTheApplication) {
    TForm* f = NewNamedForm("fmMain");
    Application()->SetMainForm(f);
    f->Show();
    f->Close();
    EXPECT_TRUE(Application()->Terminated());
}

// ---------------------------------------------------------------------------
// Bounds and frame

TEST_F(FormTest, FrameCaptionAndMenuTakeTheirRoomFromTheClientArea) {
    TForm* f = NewNamedForm("fmFrame");
    f->SetBorderStyle(TFormBorderStyle::bsSizeable);
    f->SetClientWidth(632);
    f->SetClientHeight(433);
    EXPECT_EQ(f->Width(), 640);
    EXPECT_EQ(f->Height(), 433 + 2 * FormSizeableFrame + FormCaptionHeight);
    int resizes = 0;
    f->OnResize = [&](TObject*) { ++resizes; };
    f->SetBorderStyle(TFormBorderStyle::bsNone); // the outer size stays
    EXPECT_EQ(f->Width(), 640);
    EXPECT_EQ(f->ClientWidth(), 640);
    EXPECT_EQ(resizes, 1);
    f->SetBounds(0, 0, 0, 0);
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(f->ClientHeight(), 0);
}

TEST_F(FormTest, MaximizeTakesTheScreenAndNormalRestoresPositionCentres) {
    Screen()->SetSize(800, 600);
    TForm* f = NewNamedForm("fmPreview");
    f->SetBounds(10, 20, 300, 200);
    f->SetWindowState(TWindowState::wsMaximized);
    EXPECT_EQ(f->BoundsRect(), Rect(0, 0, 800, 600));
    f->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(f->BoundsRect(), Rect(10, 20, 310, 220));
    f->SetPosition(TPosition::poScreenCenter);
    f->Show();
    EXPECT_EQ(f->BoundsRect(), Rect(250, 200, 550, 400));
}

// ---------------------------------------------------------------------------
// Modal runs

TEST_F(FormTest, ShowModalRunsUntilModalResultAndHidesTheForm) {
    Application()->CreateForm(fmProbe);
    ui->OnModal("fmProbe", [](TCustomForm& f) {
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(f.Modal());
        EXPECT_EQ(Screen()->ActiveForm(), &f);
        UserClick(RequireComponent<TButton>(f, "buOk"));
    });
    EXPECT_EQ(fmProbe->ShowModal(), mrOk);
    EXPECT_FALSE(fmProbe->Visible());
    EXPECT_FALSE(fmProbe->Modal());
    EXPECT_EQ(ui->CallsOf(TDialogKind::dkModalForm).size(), 1u);
    EXPECT_THROW(
        {
            fmProbe->Show();
            fmProbe->ShowModal();
        },
        EInvalidOperation);
}

TEST_F(FormTest, ModalResultSetInOnShowIsResetAndCloseGivesCancel) {
    TForm* f = NewNamedForm("fmDialog");
    f->OnShow = [f](TObject*) { f->SetModalResult(mrOk); };
    bool allowClose = false;
    f->OnCloseQuery = [&](TObject*, bool& c) { c = allowClose; };
    ui->OnModal("fmDialog", [](TCustomForm& form) {
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.Close(); // refused by OnCloseQuery: the run goes on
    });
    ui->OnModal("fmDialog", [&](TCustomForm& form) {
        EXPECT_TRUE(form.Visible());
        allowClose = true;
        form.Close();
    });
    EXPECT_EQ(f->ShowModal(), mrCancel);
}

TEST_F(FormTest, ShowModalDisablesOnlyEnabledWindowsAndEnablesExactlyThoseAgain) {
    TForm* a = NewNamedForm("fmA");
    TForm* b = NewNamedForm("fmB");
    TForm* hidden = NewNamedForm("fmHidden");
    TForm* m = NewNamedForm("fmModal");
    a->Show();
    b->Show();
    b->SetEnabled(false); // as a progress window disables its owner
    a->Show();
    ui->OnModal("fmModal", [&](TCustomForm& f) {
        EXPECT_FALSE(a->Enabled());
        EXPECT_FALSE(b->Enabled());
        EXPECT_TRUE(hidden->Enabled());
        EXPECT_FALSE(CanUserReach(a));
        f.SetModalResult(mrOk);
    });
    m->ShowModal();
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(b->Enabled());
    EXPECT_TRUE(hidden->Enabled());
    EXPECT_EQ(Screen()->ActiveForm(), a); // the window active before
}

TEST_F(FormTest, ModalRunsNestInsideHandlersAndInsideEngineLoops) {
    TForm* outer = NewNamedForm("fmOuter");
    TForm* inner = NewNamedForm("fmInner");
    auto* bu = new TButton(outer);
    bu->SetParent(outer);
    bu->OnClick = [&](TObject*) {
        log.push_back("inner " + std::to_string(inner->ShowModal()));
        EXPECT_TRUE(outer->Enabled());
        EXPECT_EQ(Screen()->ActiveForm(), outer);
    };
    ui->OnModal("fmOuter", [&](TCustomForm&) { UserClick(bu); });
    ui->OnModal("fmInner", [&](TCustomForm& f) {
        EXPECT_FALSE(outer->Enabled());
        f.SetModalResult(mrYes);
    });
    ui->OnModal("fmOuter", [](TCustomForm& f) { f.SetModalResult(mrNo); });
    log.push_back("outer " + std::to_string(outer->ShowModal()));
    EXPECT_EQ(log, (std::vector<std::string>{"inner 6", "outer 7"}));

    // A loop that lets messages run: input that arrives there may open a
    // modal form, whose run nests inside the loop.
    log.clear();
    Application()->QueueInput([&] { log.push_back("modal " + std::to_string(inner->ShowModal())); });
    ui->OnModal("fmInner", [](TCustomForm& f) { f.SetModalResult(mrAbort); });
    for (int row = 0; row < 3; ++row) {
        log.push_back("row " + std::to_string(row));
        Application()->ProcessMessages();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"row 0", "modal 3", "row 1", "row 2"}));
}

TEST_F(FormTest, AModalFormWithoutAScriptFailsInsteadOfWaiting) {
    ui->OnFailure = nullptr;
    TForm* a = NewNamedForm("fmA");
    a->Show();
    TForm* m = NewNamedForm("fmLonely");
    EXPECT_THROW(m->ShowModal(), EScriptFailure);
    ASSERT_EQ(ui->Failures().size(), 1u);
    EXPECT_NE(ui->Failures()[0].find("fmLonely"), std::string::npos);
    EXPECT_FALSE(m->Visible()); // the run is undone
    EXPECT_TRUE(a->Enabled());
}

TEST_F(FormTest, AScriptStepForAnotherFormFails) {
    ui->OnFailure = nullptr;
    TForm* m = NewNamedForm("fmPassword");
    ui->OnModal("fmPreview", [](TCustomForm& f) { f.Close(); });
    EXPECT_THROW(m->ShowModal(), EScriptFailure);
    EXPECT_NE(ui->Failures()[0].find("fmPreview"), std::string::npos);
}

TEST_F(FormTest, TimersRunWhileAModalFormWaits) {
    TForm* m = NewNamedForm("fmWait");
    auto* timer = new TTimer(m);
    timer->SetInterval(500);
    timer->OnTimer = [&](TObject*) { m->SetModalResult(mrRetry); };
    const int64_t start = GetTickCount();
    EXPECT_EQ(m->ShowModal(), mrRetry); // no script step needed
    EXPECT_EQ(GetTickCount() - start, 500);
}

// ---------------------------------------------------------------------------
// Posted messages

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* AOwner) : TForm(AOwner) { SetName("fmTBXMain"); }
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_USER + 101) {
            log->push_back("terminate");
            Close();
            return;
        }
        if (Message.Msg == WM_USER + 102) {
            log->push_back("restore " + std::to_string(Message.WParam));
            return;
        }
        TForm::Dispatch(Message);
    }
    std::vector<std::string>* log = nullptr;
};

TEST_F(FormTest, PostedMessagesRunAfterTheHandlerInTheModalLoop) {
    auto* f = NewForm<TMessageForm>(Application());
    f->log = &log;
    f->OnShow = [&](TObject*) {
        PostMessage(f, WM_USER + 102, 7);
        log.push_back("show done");
    };
    ui->OnModal("fmTBXMain", [&](TCustomForm&) {
        log.push_back("user");
        PostMessage(f, WM_USER + 101);
    });
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_EQ(log, (std::vector<std::string>{"show done", "restore 7", "user", "terminate"}));
}

TEST_F(FormTest, MessagesToAFreedFormAreDroppedAndHandlersRunFromTheLoop) {
    TForm* f = NewNamedForm("fmGone");
    int handled = 0;
    f->SetMessageHandler(WM_USER + 5, [&](TMessage& m) {
        ++handled;
        m.Result = 42;
        if (m.LParam == 1) throw Exception("handler failed");
    });
    EXPECT_EQ(SendMessage(f, WM_USER + 5), 42);
    PostMessage(f, WM_USER + 5, 0, 1);
    EXPECT_EQ(Application()->PendingMessages(), 1u);
    Application()->ProcessMessages();
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(ui->Messages(), (std::vector<std::string>{"handler failed."}));

    PostMessage(f, WM_USER + 5);
    f->Free();
    EXPECT_EQ(Application()->PendingMessages(), 0u);
    Application()->ProcessMessages();
    EXPECT_EQ(handled, 2);
}

TEST_F(FormTest, ReleaseFreesTheFormOnceItsHandlerReturned) {
    TForm* f = NewNamedForm("fmRelease");
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    auto* bu = new TButton(f);
    bu->SetParent(f);
    bu->OnClick = [&](TObject*) {
        f->Release();
        EXPECT_FALSE(destroyed);
    };
    f->Show();
    UserClick(bu);
    EXPECT_FALSE(destroyed);
    Application()->ProcessMessages();
    EXPECT_TRUE(destroyed);
}

TEST_F(FormTest, ScreenTracksTheActiveFormAndItsControl) {
    EXPECT_EQ(Screen()->ActiveForm(), nullptr);
    EXPECT_EQ(Screen()->ActiveControl(), nullptr);
    TForm* f = NewNamedForm("fmA");
    auto* ed = new TEdit(f);
    ed->SetParent(f);
    f->Show();
    EXPECT_EQ(Screen()->ActiveForm(), f);
    EXPECT_EQ(Screen()->ActiveControl(), ed);
    TForm* g = NewNamedForm("fmB");
    g->Show();
    EXPECT_EQ(Screen()->ActiveForm(), g);
    EXPECT_FALSE(f->Active());
    g->Hide();
    EXPECT_EQ(Screen()->ActiveForm(), f);
    f->Hide();
    EXPECT_EQ(Screen()->ActiveForm(), nullptr);

    Screen()->SetCursor(crHourGlass);
    f->SetCursor(crHourGlass);
    EXPECT_EQ(Screen()->Cursor(), crHourGlass);
    ResetApplication();
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

TEST_F(FormTest, SetFocusOnAFormRaisesWhenItIsHiddenOrDisabled) {
    TForm* f = NewNamedForm("fmCaller");
    EXPECT_THROW(f->SetFocus(), EInvalidOperation);
    f->Show();
    TForm* g = NewNamedForm("fmOther");
    g->Show();
    f->SetFocus();
    EXPECT_EQ(Screen()->ActiveForm(), f);
    f->SetEnabled(false);
    EXPECT_THROW(f->SetFocus(), EInvalidOperation);
}

} // namespace
} // namespace trx::testing
