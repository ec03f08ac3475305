// A vector that deletes what it points to when it goes.
#pragma once

#include <vector>

template <class T>
class jvqOwningVector : public std::vector<T*> {
 public:
  jvqOwningVector() = default;
  jvqOwningVector(const jvqOwningVector&) = delete;
  jvqOwningVector& operator=(const jvqOwningVector&) = delete;
  ~jvqOwningVector() { DeleteAll(); }
  void DeleteAll() {
    for (T* p : *this) delete p;
    this->clear();
  }
};
