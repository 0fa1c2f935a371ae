// One settings window's session with its two pages: the login state, which page is shown, and
// what the browser's events make of them. The window forwards the events and keeps nothing of
// the pages itself.
#pragma once

#include <string>
#include <utility>

#include "page/page.h"

class SettingsPageSession {
 public:
  // None of page, settings and actions is owned. pagesFolder as PageContext has it.
  SettingsPageSession(PageDocument& page, SettingsStore& settings, PageActions& actions,
                      std::wstring pagesFolder)
      : context_{page, settings, state_, onOptionsPage_, actions, std::move(pagesFolder)} {}
  // The context refers to this object's own fields.
  SettingsPageSession(const SettingsPageSession&) = delete;
  SettingsPageSession& operator=(const SettingsPageSession&) = delete;

  // The browser is about to navigate to url: false cancels the navigation.
  bool BeforeNavigate(const std::wstring& url) { return OnBeforeNavigate(context_, url); }
  // A document of the control finished loading.
  void DocumentComplete() { OnDocumentComplete(context_); }
  // The window closes or goes: the settings page's form to config.dat.
  void SaveOnClose() { SaveOptionsForm(context_); }

  // True while the settings page (not the recent page) is shown or being loaded.
  bool OnOptionsPage() const { return onOptionsPage_; }
  bool LoggedIn() const { return state_.loggedIn; }

 private:
  // Declared before the context that refers to them.
  PageState state_;
  bool onOptionsPage_ = true;
  PageContext context_;
};
