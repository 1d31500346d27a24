#include "platform/Object.h"

#include <memory>

#include <gtest/gtest.h>

namespace {

class CAnimal : public CObject
{
    DECLARE_DYNAMIC(CAnimal)
};

class CDog : public CAnimal
{
    DECLARE_DYNCREATE(CDog)
public:
    int m_legs = 4;
};

class CCat : public CAnimal
{
    DECLARE_DYNCREATE(CCat)
};

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_DYNCREATE(CCat, CAnimal)

TEST(RuntimeClassTest, CreateObjectMakesAConstructedObjectOfTheClass)
{
    const std::unique_ptr<CObject> object(RUNTIME_CLASS(CDog)->CreateObject());
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(RUNTIME_CLASS(CDog), object->GetRuntimeClass());
    EXPECT_EQ(4, static_cast<CDog*>(object.get())->m_legs);
    EXPECT_STREQ("CDog", RUNTIME_CLASS(CDog)->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CDog)), RUNTIME_CLASS(CDog)->m_nObjectSize);
}

TEST(RuntimeClassTest, AClassWithoutFactoryCreatesNothing)
{
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->CreateObject());
}

TEST(RuntimeClassTest, IsKindOfFollowsTheBaseClasses)
{
    const CDog dog;
    const CAnimal animal;
    struct Case
    {
        const CObject& object;
        CRuntimeClass* runtimeClass;
        bool expected;
    };
    const Case cases[] = {
        {dog, RUNTIME_CLASS(CDog), true},     {dog, RUNTIME_CLASS(CAnimal), true},
        {dog, RUNTIME_CLASS(CObject), true},  {dog, RUNTIME_CLASS(CCat), false},
        {animal, RUNTIME_CLASS(CDog), false}, {animal, RUNTIME_CLASS(CObject), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.object.IsKindOf(c.runtimeClass) != FALSE)
            << c.object.GetRuntimeClass()->m_lpszClassName << " / "
            << c.runtimeClass->m_lpszClassName;
    }
}

} // namespace
