# The agent bridge's tests: the C++ tests reach its classes and its program, and the
# interoperability test drives the program with the official MCP client under Node.
if(TARGET tst_controlclient)
  target_link_libraries(tst_controlclient PRIVATE VeltraneAgentBridge)
endif()
foreach(name tst_agentbridge agentbridge_bench)
  if(TARGET ${name})
    add_dependencies(${name} veltrane-agent)
  endif()
endforeach()
if(TARGET agentbridge_bench)
  target_link_libraries(agentbridge_bench PRIVATE VeltraneAgentBridge)
endif()

# The interoperability test runs from a copy in the build folder, where `npm ci` installs the
# pinned client from the lockfile (a fixture step, so that `ctest -R mcp_interop` installs it too).
# The application side is the adapter module named by VT_INTEROP_APP (default: the stand-in
# control server, Tests/mcp/standin-app.mjs); Tests/mcp/real-app.mjs starts the real application
# (the interop_app program) and offers the same members.
set(MCP_DIR ${CMAKE_BINARY_DIR}/mcp-interop)
foreach(file package.json package-lock.json interop.mjs standin-app.mjs real-app.mjs)
  configure_file(${CMAKE_SOURCE_DIR}/Tests/mcp/${file} ${MCP_DIR}/${file} COPYONLY)
endforeach()
find_program(VT_NODE node)
find_program(VT_NPM npm)
if(VT_NODE AND VT_NPM)
  add_test(NAME mcp_install COMMAND ${VT_NPM} ci --no-audit --no-fund --prefer-offline WORKING_DIRECTORY ${MCP_DIR})
  set_tests_properties(mcp_install PROPERTIES FIXTURES_SETUP mcp_client TIMEOUT 600)
  add_test(NAME mcp_interop COMMAND ${VT_NODE} interop.mjs WORKING_DIRECTORY ${MCP_DIR})
  set_tests_properties(mcp_interop PROPERTIES
    FIXTURES_REQUIRED mcp_client
    TIMEOUT 300
    ENVIRONMENT "VT_AGENT=$<TARGET_FILE:veltrane-agent>;VT_STANDIN=$<TARGET_FILE:control_standin>;VT_FIXTURES=${CMAKE_SOURCE_DIR}/Tests/Fixtures")
  # The same test against the real application, headless on the fixture site.
  add_test(NAME mcp_interop_app COMMAND ${VT_NODE} interop.mjs WORKING_DIRECTORY ${MCP_DIR})
  set_tests_properties(mcp_interop_app PROPERTIES
    FIXTURES_REQUIRED mcp_client
    TIMEOUT 600
    ENVIRONMENT "VT_AGENT=$<TARGET_FILE:veltrane-agent>;VT_APP=$<TARGET_FILE:interop_app>;VT_INTEROP_APP=./real-app.mjs")
else()
  # Not skipped quietly: CI installs Node from .ci/packages.txt.
  add_test(NAME mcp_interop COMMAND sh -c "echo 'mcp_interop needs node and npm (Debian packages nodejs and npm; scripts/setup.sh installs them)'; exit 1")
endif()
