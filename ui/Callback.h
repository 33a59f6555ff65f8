// The click listener interface and the template that binds an object's member function to it.
#pragma once

class Button;

class Callback {
 public:
  virtual void call(int id, Button* button) = 0;

 protected:
  // Listeners are never deleted through this interface, so it needs no virtual destructor.
  ~Callback() = default;
};

template <class T>
class TCallback : public Callback {
 public:
  using Method = void (T::*)(int id, Button* button);

  void bind(T* boundObject, Method boundMethod) {
    object = boundObject;
    method = boundMethod;
  }

  void call(int id, Button* button) override {
    if (method) (object->*method)(id, button);
  }

 private:
  T* object = nullptr;
  Method method = nullptr;
};
