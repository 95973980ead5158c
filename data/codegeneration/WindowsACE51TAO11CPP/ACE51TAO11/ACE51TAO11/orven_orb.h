// ORB compatibility of the generated projects.
// The projects are written for the CORBA C++ mapping; on this platform the
// ORB is omniORB 4 (Debian packages libomniorb4-dev, omniidl,
// omniorb-nameserver). This header maps the few ACE/TAO macros that module
// code written for the ACE 5.1 / TAO 1.1 environment may use onto plain
// C++ and includes the ORB's main header.
#ifndef ORVEN_ACE51TAO11_ORB_H_INCLUDED
#define ORVEN_ACE51TAO11_ORB_H_INCLUDED

#include <omniORB4/CORBA.h>

#ifndef ACE_THROW_SPEC
#define ACE_THROW_SPEC(X)
#endif
#ifndef ACE_ENV_ARG_DECL
#define ACE_ENV_ARG_DECL
#define ACE_ENV_ARG_DECL_NOT_USED
#define ACE_ENV_SINGLE_ARG_DECL
#define ACE_ENV_SINGLE_ARG_DECL_NOT_USED
#define ACE_ENV_ARG_PARAMETER
#define ACE_ENV_SINGLE_ARG_PARAMETER
#endif
#ifndef ACE_CHECK
#define ACE_CHECK
#define ACE_CHECK_RETURN(X)
#endif
#ifndef ACE_TRY_NEW_ENV
#define ACE_TRY_NEW_ENV try
#define ACE_TRY try
#define ACE_TRY_CHECK
#define ACE_CATCHANY catch (const ::CORBA::Exception&)
#define ACE_CATCH(TYPE, VAR) catch (const TYPE& VAR)
#define ACE_ENDTRY
#endif
#ifndef ACE_UNUSED_ARG
#define ACE_UNUSED_ARG(X) ((void)(X))
#endif

#endif
