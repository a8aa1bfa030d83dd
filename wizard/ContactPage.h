// The contact information page: first name, last name and e-mail address,
// all optional, kept in the install session exactly as typed.
#pragma once

#include "Form.h"

class ContactPage : public Form {
  public:
    ContactPage() : Form(285, 220) {}
    void CreateControls() override;

    HWND titleText = nullptr;
    HWND introText = nullptr;
    HWND firstNameLabel = nullptr;
    HWND firstNameBox = nullptr;
    HWND lastNameLabel = nullptr;
    HWND lastNameBox = nullptr;
    HWND emailLabel = nullptr;
    HWND emailBox = nullptr;
    HWND backButton = nullptr;
    HWND nextButton = nullptr;
    HWND cancelButton = nullptr;

    // The edit boxes become the session's e-mail, first and last name.
    void StoreContactInfo();

    void OnNext();
    void OnBack();
    void OnCancel();
    void OnShow() override;
    void OnCloseQuery(bool& canClose) override;
    void OnClose() override;
};

extern ContactPage* contactPage;
