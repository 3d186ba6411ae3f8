# The agent bridge's tests: the C++ tests reach its classes and its program, and the
# interoperability test drives the program with the official MCP client under Node.
if(TARGET tst_controlclient)
  target_link_libraries(tst_controlclient PRIVATE VeltraneAgentBridge)
endif()
foreach(name tst_agentbridge agent_bench)
  if(TARGET ${name})
    add_dependencies(${name} veltrane-agent)
  endif()
endforeach()
if(TARGET agent_bench)
  target_link_libraries(agent_bench PRIVATE VeltraneAgentBridge)
endif()
