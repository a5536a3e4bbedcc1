#include "engine/data/components.h"

#include <algorithm>

#include "engine/core/text.h"

namespace vl {
namespace {

void Erase(std::vector<TvlComponent*>& list, const TvlComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TvlComponent::TvlComponent(std::string name) : name_(std::move(name)) {}

TvlComponent::~TvlComponent() {
  // Children go first, newest first, while this component is still whole
  // enough for them to unlink from.
  while (!components_.empty()) {
    std::unique_ptr<TvlComponent> child = std::move(components_.back());
    components_.pop_back();
    child->owner_ = nullptr;
  }
  // Copies: a notified component may withdraw other requests meanwhile.
  const std::vector<TvlComponent*> observers = observers_;
  for (TvlComponent* o : observers) {
    Erase(o->observed_, this);
    o->Notification(this);
  }
  for (TvlComponent* t : observed_) Erase(t->observers_, this);
}

TvlComponent& TvlComponent::InsertComponent(std::unique_ptr<TvlComponent> child) {
  TvlComponent& ref = *child;
  ref.owner_ = this;
  components_.push_back(std::move(child));
  return ref;
}

std::unique_ptr<TvlComponent> TvlComponent::RemoveComponent(TvlComponent* child) {
  auto it = std::find_if(components_.begin(), components_.end(),
                         [child](const auto& c) { return c.get() == child; });
  if (it == components_.end()) return nullptr;
  std::unique_ptr<TvlComponent> out = std::move(*it);
  components_.erase(it);
  out->owner_ = nullptr;
  return out;
}

TvlComponent* TvlComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const auto& c : components_)
    if (vlSameText(c->Name(), name)) return c.get();
  return nullptr;
}

void TvlComponent::FreeNotification(TvlComponent* other) {
  if (!other || other == this) return;
  if (std::find(observed_.begin(), observed_.end(), other) != observed_.end()) return;
  observed_.push_back(other);
  other->observers_.push_back(this);
}

void TvlComponent::RemoveFreeNotification(TvlComponent* other) {
  if (!other) return;
  Erase(observed_, other);
  Erase(other->observers_, this);
}

TvlForm::TvlForm(std::string name) : TvlComponent(std::move(name)) {
  vlForms().forms_.push_back(this);
}

TvlForm::~TvlForm() {
  auto& forms = vlForms().forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

TvlForm* TvlFormList::Find(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TvlForm* f : forms_)
    if (vlSameText(f->Name(), name)) return f;
  return nullptr;
}

TvlFormList& vlForms() {
  static TvlFormList list;
  return list;
}

namespace {

void Collect(const TvlComponent& container, const std::string& prefix,
             const std::function<bool(const TvlComponent&)>& accept,
             std::vector<TvlComponentPath>& out) {
  for (const auto& c : container.Components()) {
    if (c->Name().empty()) continue;  // a nameless component cannot be written in a template
    const std::string path = prefix.empty() ? c->Name() : prefix + "." + c->Name();
    if (accept(*c)) out.push_back({path, c.get()});
    if (!c->Components().empty()) Collect(*c, path, accept, out);
  }
}

}  // namespace

std::vector<TvlComponentPath> vlListComponents(const TvlComponent* localOwner,
                                               const std::function<bool(const TvlComponent&)>& accept) {
  std::vector<TvlComponentPath> out;
  if (localOwner) Collect(*localOwner, {}, accept, out);
  for (const TvlForm* f : vlForms().Forms())
    if (f != localOwner && !f->Name().empty()) Collect(*f, f->Name(), accept, out);
  return out;
}

}  // namespace vl
