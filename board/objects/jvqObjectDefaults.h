// The process-wide registry of one prototype per object class: the factory behind every
// record reader, the source of the attributes of new objects, and the built-in defaults.
#pragma once

#include "jvqObject.h"

class jvqDocument;

class jvqObjectDefaults {
 public:
  jvqObjectDefaults();
  virtual ~jvqObjectDefaults();
  virtual void AddPrototype(jvqObject* pObject);
  virtual void ReplacePrototype(jvqObject* pObject);
  virtual int ApplyDefaults(jvqObject* pObject);
  virtual jvqObject* CreateFromPrototype(int nClassCode);

  jvqObject* FindPrototype(int nClassCode);
  void SetDocument(jvqDocument* pDocument) { m_pDocument = pDocument; }
  jvqDocument* GetDocument() const { return m_pDocument; }
  void SetDefaultView(jvqViewMapping* pView) { m_pDefaultView = pView; }
  jvqViewMapping* GetDefaultView() const { return m_pDefaultView; }
  void CreatePrototypes();
  // Adds the built-in prototype of every class that has none, so that a prototype file
  // written by an older program leaves no caller with a missing prototype.
  void FillMissingPrototypes();
  // Deletes every prototype.
  void RemoveAll() { m_Prototypes.RemoveAll(); }
  int GetCount() const { return m_Prototypes.GetCount(); }
  jvqObject* GetAt(int i) const { return m_Prototypes.GetAt(i); }

  // A new empty object of the class, or NULL for a code that names no known class.
  static jvqObject* CreateObject(int nClassCode);
  // A copy of the fill the class's built-in prototype has (NULL: none, or no such class).
  static class jvqFill* CloneBuiltInFill(int nClassCode);
  static jvqObjectDefaults* GetObjectDefaults();
  static void FreeObjectDefaults();

  jvqObjectArray m_Prototypes;
  jvqViewMapping* m_pDefaultView;
  jvqDocument* m_pDocument;

 private:
  static jvqObject* MakeBuiltIn(int nClassCode);
};

inline jvqObjectDefaults* GetObjectDefaults() { return jvqObjectDefaults::GetObjectDefaults(); }
inline void FreeObjectDefaults() { jvqObjectDefaults::FreeObjectDefaults(); }
