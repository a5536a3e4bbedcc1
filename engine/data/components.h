#pragma once
// The hosting application's components: named objects owned by forms and data
// modules (and by containers inside them), so that templates can refer to a
// dataset or a data source by a component path such as "Form1.Addresses".
//
// A component owns the components created in it. A component that refers to
// another one asks to be told when that one goes away (FreeNotification) and
// clears its reference in Notification, so no reference outlives its target.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vl {

class TvlComponent {
 public:
  explicit TvlComponent(std::string name = {});
  TvlComponent(const TvlComponent&) = delete;
  TvlComponent& operator=(const TvlComponent&) = delete;
  virtual ~TvlComponent();

  const std::string& Name() const noexcept { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  // The component that owns this one; nullptr for forms and free components.
  TvlComponent* Owner() const noexcept { return owner_; }

  // Takes ownership of child; returns it.
  TvlComponent& InsertComponent(std::unique_ptr<TvlComponent> child);
  template <class T, class... Args>
  T& Add(Args&&... args) {
    auto child = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *child;
    InsertComponent(std::move(child));
    return ref;
  }
  // Gives up ownership of child (nullptr when it is not owned here).
  std::unique_ptr<TvlComponent> RemoveComponent(TvlComponent* child);
  // Destroys an owned child; the components that refer to it are notified.
  void DestroyComponent(TvlComponent* child) { RemoveComponent(child); }

  const std::vector<std::unique_ptr<TvlComponent>>& Components() const noexcept { return components_; }
  // Owned component of that name, ignoring case; nullptr when there is none.
  TvlComponent* FindComponent(std::string_view name) const;

  // Asks other to call this->Notification(other) when other is destroyed.
  void FreeNotification(TvlComponent* other);
  // Withdraws the request (when the reference to other is dropped).
  void RemoveFreeNotification(TvlComponent* other);

 protected:
  // other is being destroyed: drop every reference to it. Do not call into
  // other; only its address is still meaningful.
  virtual void Notification(TvlComponent* other) { (void)other; }

 private:
  std::string name_;
  TvlComponent* owner_ = nullptr;
  std::vector<std::unique_ptr<TvlComponent>> components_;
  std::vector<TvlComponent*> observers_;  // told when this one goes
  std::vector<TvlComponent*> observed_;   // this one watches them
};

// A top-level form or data module of the application. Forms register
// themselves in the application's form list while they exist.
class TvlForm : public TvlComponent {
 public:
  explicit TvlForm(std::string name);
  ~TvlForm() override;
  virtual bool IsDataModule() const { return false; }
};

class TvlDataModule : public TvlForm {
 public:
  using TvlForm::TvlForm;
  bool IsDataModule() const override { return true; }
};

// The application's top-level forms and data modules, in creation order.
class TvlFormList {
 public:
  const std::vector<TvlForm*>& Forms() const noexcept { return forms_; }
  // The form or module of that name, ignoring case; nullptr when none.
  TvlForm* Find(std::string_view name) const;

 private:
  friend class TvlForm;
  std::vector<TvlForm*> forms_;
};

TvlFormList& vlForms();

// Every component the application offers that passes accept, with its path
// as templates write it: components owned by localOwner by their own names;
// those of every other form and module as form name, ".", component name;
// components inside a nested container with the container's path in front.
struct TvlComponentPath {
  std::string Path;
  TvlComponent* Component = nullptr;
};
std::vector<TvlComponentPath> vlListComponents(const TvlComponent* localOwner,
                                               const std::function<bool(const TvlComponent&)>& accept);

}  // namespace vl
